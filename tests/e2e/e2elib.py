"""Helpers for driving the real program in an X window and listening to it.

The tests run piyo under the display in DISPLAY (Xvfb in CI, no window
manager), click with xdotool, read the screen with ImageMagick's import and
record what the program plays from the monitor of PulseAudio's default sink.
"""

import argparse
import array
import ctypes
import math
import os
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import wave

SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests

MENU_TITLE = "ピヨメニュー"
QUIZ_TITLES = {"spring": "ピヨ探し（春夏）", "autumn": "ピヨ探し（秋冬）"}
REFERENCE_TITLES = {"spring": "ピヨ調べ（春夏）", "autumn": "ピヨ調べ（秋冬）"}

# Board position -> bird number, the order of the names on the board.
BIRDS_ON_BOARD = {
    "spring": [2, 1, 7, 39, 17, 13, 24, 12, 6, 4, 30, 40, 20, 37, 23, 14, 3, 10, 26, 16,
               31, 19, 5, 22, 9, 18, 21, 11, 28, 35, 34, 27, 8, 33, 36, 29, 15, 25, 32, 38],
    "autumn": [61, 45, 42, 64, 51, 70, 50, 69, 49, 54, 59, 72, 52, 55, 48, 67, 79, 66, 41, 62,
               58, 68, 56, 63, 78, 75, 46, 77, 71, 47, 53, 60, 74, 73, 76, 43, 65, 44, 57, 80],
}

# Client-area rectangles in pixels (x, y, width, height).
MENU = {
    "look_up": (400, 212, 161, 35),     # ■ピヨ調べ
    "quiz": (399, 270, 161, 35),        # ■ピヨ探し
    "quit": (399, 325, 161, 35),        # ■終　　  了
    "spring": (424, 249, 113, 33),      # ■春　夏 (either submenu)
    "autumn": (424, 297, 113, 33),      # ■秋　冬 (either submenu)
    "back": (423, 344, 113, 33),        # ■戻　る (either submenu)
}
PICTURE_PANEL = (6, 34, 298, 361)
FEEDBACK_PICTURE = (220, 107, 199, 195)
RIGHT_COUNT = (204, 7, 67, 21)
WRONG_COUNT = (304, 7, 67, 21)
QUIZ_TO_MENU = (545, 7, 89, 21)
BY_EAR = (377, 7, 60, 21)           # □声だけ / ■声だけ
REFERENCE_TO_MENU = (547, 5, 89, 21)
DESCRIPTION_BUTTON = (220, 356, 75, 27)
DESCRIPTION_LIST = {"spring": (337, 108, 275, 184), "autumn": (338, 114, 275, 184)}

BOARD_BLUE = (0, 0, 192)
YELLOW = (255, 255, 0)
RED = (255, 0, 0)
LIST_BLUE = (0, 0, 255)


def name_label(position):
    """The rectangle of a name-board label."""
    left = 312 if position < 20 else 474
    return (left, 36 + 18 * (position % 20), 160, 16)


def centre(rect):
    x, y, w, h = rect
    return (x + w // 2, y + h // 2)


def log(*parts):
    print(time.strftime("%H:%M:%S"), *parts, flush=True)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, predicate, timeout, interval=0.05):
    """Polls predicate until it returns something true; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


# --- Test set-up -------------------------------------------------------------

def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True, help="the built piyo executable")
    parser.add_argument("--screenshots", help="where to save screenshots")
    parser.add_argument("--workdir", help="scratch directory (default: a new temporary one)")
    return parser.parse_args()


def require_session(sound=True):
    """Exits with SKIP (or fails in CI) when there is no display or sound server."""
    missing = []
    if not os.environ.get("DISPLAY"):
        missing.append("DISPLAY is not set")
    elif not _hold_display():
        missing.append(f"cannot open display {os.environ['DISPLAY']}")
    if sound and subprocess.run(["pactl", "info"], capture_output=True).returncode != 0:
        missing.append("no PulseAudio server (PULSE_SERVER / XDG_RUNTIME_DIR)")
    for tool in ["xdotool", "import"] + (["parec", "pactl"] if sound else []):
        if shutil.which(tool) is None:
            missing.append(f"{tool} is not installed")
    if not missing:
        return
    message = "; ".join(missing) + " (run through scripts/test.sh)"
    if os.environ.get("CI", "").lower() == "true":
        print("FAIL:", message, file=sys.stderr)
        sys.exit(1)
    print("SKIP:", message)
    sys.exit(SKIP)


_held_display = None


def _hold_display():
    """Opens a connection to the display and keeps it for the whole test.

    An X server resets itself when its last client leaves, and refuses
    connections meanwhile; with this one held, the program's never meets a reset.
    """
    global _held_display
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    for _ in range(20):
        _held_display = x11.XOpenDisplay(None)
        if _held_display:
            return True
        time.sleep(0.1)
    return False


def run(main):
    """Runs a test body: 0 on success, 1 with a message on failure."""
    try:
        main()
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        sys.exit(1)
    log("PASS")
    sys.exit(0)


class Scratch:
    """A scratch directory kept only when the test fails."""

    def __init__(self, name, workdir=None):
        if workdir:
            shutil.rmtree(workdir, ignore_errors=True)
            os.makedirs(workdir)
            self.path = workdir
        else:
            self.path = tempfile.mkdtemp(prefix=f"piyo-e2e-{name}-")

    def __enter__(self):
        return self.path

    def __exit__(self, kind, value, traceback):
        if kind is None:
            shutil.rmtree(self.path, ignore_errors=True)
        else:
            print(f"scratch files kept in {self.path}", file=sys.stderr)
        return False


SOUND_MODULE = "piyo-sound.so"


def install_program(program, directory):
    """Puts the program, and the sound back end it loads from beside itself,
    into directory so that it reads the media there."""
    source = os.path.dirname(os.path.realpath(program))
    for name, target_name in ((os.path.basename(program), "piyo"), (SOUND_MODULE, SOUND_MODULE)):
        source_file = os.path.join(source, name)
        target = os.path.join(directory, target_name)
        if not os.path.exists(source_file):
            continue
        try:
            os.link(source_file, target)
        except OSError:
            shutil.copy2(source_file, target)
    return os.path.join(directory, "piyo")


# --- Test media --------------------------------------------------------------

PICTURE_SIZE = (200, 150)
FEEDBACK_SIZE = (120, 120)
RIGHT_PICTURE_COLOUR = (250, 10, 77)
WRONG_PICTURE_COLOUR = (10, 250, 77)
RIGHT_TONE = 2700.0
WRONG_TONE = 3100.0


def bird_colour(number):
    """A flat colour per bird: ten reds times eight greens, blue 77 (no UI colour has it)."""
    return (20 + (number - 1) % 10 * 24, 30 + (number - 1) // 10 * 28, 77)


def bird_from_colour(colour):
    for number in range(1, 81):
        if bird_colour(number) == colour:
            return number
    return None


def bird_tone(number):
    """Each bird's call is a pure tone of its own, 25 Hz apart."""
    return 300.0 + 25.0 * number


def write_tone(path, frequency, seconds, rate=16000, amplitude=0.4):
    """16-bit mono sine of a whole number of hertz. 25 Hz steps over 0.52 s are whole
    cycles, so a repeated call joins seamlessly."""
    one_hertz = [int(amplitude * 32767 * math.sin(2 * math.pi * i / rate)) for i in range(rate)]
    step = int(frequency)
    samples = array.array("h", (one_hertz[step * i % rate] for i in range(int(round(seconds * rate)))))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(samples.tobytes())


def write_flat_gif(path, colour, size):
    """A one-colour GIF87a. The LZW stream uses 8-bit codes and clears the table
    every 100 codes, so it never needs to compress anything."""
    width, height = size
    palette = bytes(colour) + bytes(3 * 127)
    clear, end = 128, 129
    codes = bytearray()
    pixels = width * height
    while pixels > 0:
        run = min(pixels, 100)
        codes += bytes([clear]) + bytes(run)
        pixels -= run
    codes += bytes([end])
    blocks = b"".join(bytes([len(codes[i:i + 255])]) + codes[i:i + 255] for i in range(0, len(codes), 255))
    with open(path, "wb") as out:
        out.write(b"GIF87a" + width.to_bytes(2, "little") + height.to_bytes(2, "little") + b"\xf6\x00\x00")
        out.write(palette)
        out.write(b"\x2c" + bytes(4) + width.to_bytes(2, "little") + height.to_bytes(2, "little") + b"\x00")
        out.write(b"\x07" + blocks + b"\x00\x3b")


def make_test_media(directory, season):
    """Pictures, calls and descriptions of one season set's birds, and the feedback files."""
    pictures = os.path.join(directory, "姿")
    calls = os.path.join(directory, "声")
    texts = os.path.join(directory, "説明")
    for d in (pictures, calls, texts):
        os.makedirs(d, exist_ok=True)
    for number in BIRDS_ON_BOARD[season]:
        write_flat_gif(os.path.join(pictures, f"b{number}.gif"), bird_colour(number), PICTURE_SIZE)
        write_tone(os.path.join(calls, f"k{number}.wav"), bird_tone(number), 0.52)
        with open(os.path.join(texts, f"s{number}.txt"), "wb") as text:
            text.write(f"試験用の鳥 {number}\r\n二行目の説明\r\n".encode("cp932"))
    write_flat_gif(os.path.join(pictures, "maru.gif"), RIGHT_PICTURE_COLOUR, FEEDBACK_SIZE)
    write_flat_gif(os.path.join(pictures, "batu.gif"), WRONG_PICTURE_COLOUR, FEEDBACK_SIZE)
    write_tone(os.path.join(calls, "o.wav"), RIGHT_TONE, 0.6)
    write_tone(os.path.join(calls, "x.wav"), WRONG_TONE, 0.6)


# --- The program -------------------------------------------------------------

class Program:
    """One run of piyo, its output captured in files beside it."""

    def __init__(self, executable, env=None, cwd=None):
        self.executable = executable
        directory = cwd or os.path.dirname(executable)
        self.stdout_path = os.path.join(directory, "piyo.stdout")
        self.stderr_path = os.path.join(directory, "piyo.stderr")
        environment = dict(os.environ)
        # Settings and the answer history stay beside the program, never in the user's home.
        home = os.path.join(directory, "piyo-home")
        environment["XDG_CONFIG_HOME"] = os.path.join(home, "config")
        environment["XDG_DATA_HOME"] = os.path.join(home, "data")
        for key, value in (env or {}).items():
            if value is None:
                environment.pop(key, None)
            else:
                environment[key] = value
        self.directory = directory
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen([executable], cwd=directory, env=environment,
                                            stdout=out, stderr=err, stdin=subprocess.DEVNULL,
                                            preexec_fn=_allow_core_dump)
        self.pid = self.process.pid

    def alive(self):
        return self.process.poll() is None

    def wait(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"piyo (pid {self.pid}) still running {timeout} s later") from None

    def stderr(self):
        with open(self.stderr_path, encoding="utf-8", errors="replace") as err:
            return err.read()

    def stop(self):
        if self.alive():
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, kind, value, traceback):
        crashed = self.process.poll() is not None and self.process.returncode < 0
        self.stop()
        if kind is not None:
            text = self.stderr().strip()
            if text:
                print("piyo's stderr:\n" + text[-3000:], file=sys.stderr)
        if crashed:
            self._print_backtrace()
        return False

    def _print_backtrace(self):
        """Where a crashed run died, when the system left a core file beside it."""
        cores = [os.path.join(self.directory, f) for f in os.listdir(self.directory) if f.startswith("core")]
        if not cores or shutil.which("gdb") is None:
            return
        core = max(cores, key=os.path.getmtime)
        result = subprocess.run(["gdb", "-batch", "-ex", "bt 25", self.executable, core],
                                capture_output=True, text=True)
        print("backtrace of the crash:\n" + result.stdout[:8000], file=sys.stderr)
        os.remove(core)  # hundreds of megabytes


def _allow_core_dump():
    """In the child: core dumps on, so that a crash can be looked into."""
    try:
        hard = resource.getrlimit(resource.RLIMIT_CORE)[1]
        resource.setrlimit(resource.RLIMIT_CORE, (hard, hard))
    except (ValueError, OSError):
        pass


# --- X windows ---------------------------------------------------------------

def xdotool(*args, check_status=True):
    try:
        result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=60)
    except subprocess.TimeoutExpired:
        raise Failure(f"xdotool {' '.join(map(str, args[:6]))} ... hangs") from None
    if check_status and result.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


def visible_windows(pid):
    """The visible top-level windows of a process."""
    out = xdotool("search", "--onlyvisible", "--pid", pid, check_status=False)
    return [int(w) for w in out.split()]


def window_title(window):
    return xdotool("getwindowname", window, check_status=False).strip()


def open_window(program):
    """(window, title) of the program's only visible window, or None."""
    windows = visible_windows(program.pid)
    if len(windows) != 1:
        return None
    title = window_title(windows[0])
    return (windows[0], title) if title else None


def wait_window(program, title, timeout=10):
    """Waits until the program shows exactly one visible window, with this title."""
    def shown():
        check(program.alive(), f"piyo exited (status {program.process.returncode}) "
                               f"while waiting for '{title}'")
        found = open_window(program)
        return found[0] if found and found[1] == title else None
    return wait_for(f"the window '{title}'", shown, timeout)


def geometry(window):
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def click(window, point):
    x, y = point
    xdotool("mousemove", "--window", window, x, y, "click", "1")


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("client", _ClientMessage), ("pad", ctypes.c_long * 24)]


def press_close_box(window):
    """Sends WM_DELETE_WINDOW, as a window manager does when the close box is clicked.

    With no window manager running there is no close box to click; xdotool's
    windowclose destroys the window behind the program's back instead.
    """
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    check(display, "cannot open the display to send WM_DELETE_WINDOW")
    try:
        event = _Event()
        event.client.type = 33  # ClientMessage
        event.client.window = window
        event.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", False)
        event.client.format = 32
        event.client.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", False)
        event.client.data[1] = 0  # CurrentTime
        check(x11.XSendEvent(display, window, False, 0, ctypes.byref(event)) != 0,
              "XSendEvent failed")
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


class Image:
    """An RGB screenshot of one window."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def colours(self, rect):
        """How often each colour occurs in a rectangle."""
        x0, y0, w, h = rect
        counts = {}
        for y in range(max(y0, 0), min(y0 + h, self.height)):
            row = self.pixels[(y * self.width + x0) * 3:(y * self.width + x0 + w) * 3]
            for i in range(0, len(row), 3):
                colour = (row[i], row[i + 1], row[i + 2])
                counts[colour] = counts.get(colour, 0) + 1
        return counts

    def share(self, rect, colour):
        """The fraction of a rectangle's pixels that have this colour."""
        counts = self.colours(rect)
        return counts.get(colour, 0) / max(1, sum(counts.values()))

    def dominant(self, rect):
        counts = self.colours(rect)
        return max(counts, key=counts.get) if counts else None


def screenshot(window):
    """The window's client area as an Image (its whole window: there is no frame)."""
    try:
        # Given a window that is gone, import may wait for the user to pick one.
        result = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                                capture_output=True, timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure(f"taking a screenshot of window {window} hangs (is it gone?)") from None
    check(result.returncode == 0, f"import failed: {result.stderr.decode(errors='replace')}")
    data = result.stdout
    fields = []
    pos = 0
    while len(fields) < 4:  # P6, width, height, maxval
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    width, height = int(fields[1]), int(fields[2])
    return Image(width, height, data[pos + 1:pos + 1 + width * height * 3])


def save_screenshot(window, directory, name):
    if not directory:
        return
    os.makedirs(directory, exist_ok=True)
    path = os.path.join(directory, name)
    subprocess.run(["import", "-window", str(window), path], check=True, timeout=20)
    log("screenshot saved:", path)


# --- Sound -------------------------------------------------------------------

class Recorder:
    """Records the default sink's monitor; positions are sample indices."""

    RATE = 16000
    FRAME = 800  # 50 ms analysis frames

    def __init__(self):
        self.samples = array.array("h")
        self.lock = threading.Lock()
        self.process = subprocess.Popen(
            ["parec", "-d", "@DEFAULT_MONITOR@", "--raw", "--format=s16le", f"--rate={self.RATE}",
             "--channels=1", "--latency-msec=10"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        pending = b""
        while True:
            chunk = self.process.stdout.read1(4096)
            if not chunk:
                return
            pending += chunk
            usable = len(pending) // 2 * 2
            with self.lock:
                self.samples.frombytes(pending[:usable])
            pending = pending[usable:]

    def position(self):
        with self.lock:
            return len(self.samples)

    def wait_ready(self, timeout=5):
        """An idle sink may take a while to deliver the first data."""
        wait_for("the first recorded sound data", lambda: self.position() > 0, timeout)

    def seconds(self, samples):
        return samples / self.RATE

    def frames(self, start, end=None, size=FRAME):
        """(position, rms, frequency or None) for each frame (50 ms unless told) in [start, end)."""
        with self.lock:
            data = self.samples[start:end]
        result = []
        for offset in range(0, len(data) - size + 1, size):
            frame = data[offset:offset + size]
            rms = math.sqrt(sum(s * s for s in frame) / len(frame))
            result.append((start + offset, rms, _frequency(frame, self.RATE) if rms > 300 else None))
        return result

    def heard(self, frequency, start, end=None, tolerance=6.0):
        """Frames in [start, end) that sound this tone."""
        return [f for f in self.frames(start, end)
                if f[2] is not None and abs(f[2] - frequency) <= tolerance]

    def wait_tone(self, frequency, start, what, timeout=3.0, frames=3):
        """Waits until the tone has been heard for a few frames since start; returns the first."""
        def found():
            hits = self.heard(frequency, start)
            return hits[0][0] + 1 if len(hits) >= frames else None
        return wait_for(f"{what} ({frequency:.0f} Hz) on the monitor", found, timeout, 0.1) - 1

    def describe(self, start, end=None):
        """A short text of what was heard, for failure messages."""
        parts = []
        for position, rms, freq in self.frames(start, end):
            label = "-" if rms <= 300 else (f"{freq:.0f}" if freq else "?")
            if not parts or parts[-1][0] != label:
                parts.append([label, 0])
            parts[-1][1] += 1
        return " ".join(f"{label}x{n}" for label, n in parts)

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        return False


def _frequency(frame, rate):
    """Frequency of a pure tone from its rising zero crossings, interpolated."""
    crossings = []
    previous = frame[0]
    for i in range(1, len(frame)):
        current = frame[i]
        if previous < 0 <= current:
            crossings.append(i - 1 + previous / (previous - current))
        previous = current
    if len(crossings) < 3:
        return None
    return (len(crossings) - 1) * rate / (crossings[-1] - crossings[0])


# --- Common paths through the screens ----------------------------------------

def start(program):
    """Waits for the menu of a freshly started program."""
    return wait_window(program, MENU_TITLE, timeout=15)


def label_shown(window, rect, colour=RED):
    """Whether a label of this back colour covers most of rect."""
    return screenshot(window).share(rect, colour) > 0.5


def choose_from_menu(program, menu, mode, season):
    """Main level -> submenu of mode ("look_up" or "quiz") -> season; returns the new window."""
    click(menu, centre(MENU[mode]))
    wait_for("the submenu", lambda: label_shown(menu, MENU[season]), 5)
    click(menu, centre(MENU[season]))
    titles = QUIZ_TITLES if mode == "quiz" else REFERENCE_TITLES
    return wait_window(program, titles[season])


def by_ear_on(quiz):
    """Whether the quiz's toggle reads ■声だけ: its square is filled white, not outlined."""
    x, y, w, h = BY_EAR
    return screenshot(quiz).colours((x, y, 18, h)).get((255, 255, 255), 0) > 50


def bird_on_show(window):
    """The test bird whose picture fills the middle of the picture panel, or None."""
    return bird_from_colour(screenshot(window).pixel(*centre(PICTURE_PANEL)))
