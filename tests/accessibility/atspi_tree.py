#!/usr/bin/env python3
"""What a screen reader sees, read over a private AT-SPI bus: every clickable
label of the menu and of both board screens is a push button named by its
caption, its press action is its click, the description list holds its lines,
and a judgement in the quiz is announced with 正解 or 不正解.

Runs itself inside dbus-run-session, so it never touches the user's buses.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2elib as e  # noqa: E402

PRIVATE = "PIYO_PRIVATE_BUS"
SEASON = "spring"
MENU_ITEMS = ["■ピヨ調べ", "■ピヨ探し", "■終　　  了", "■春　夏", "■秋　冬", "■戻　る"]


def skip_or_fail(message):
    if os.environ.get("CI", "").lower() == "true":
        print("FAIL:", message, file=sys.stderr)
        sys.exit(1)
    print("SKIP:", message)
    sys.exit(e.SKIP)


def enter_private_bus():
    """Re-runs this script under a session bus of its own, with a Python that has pyatspi."""
    if os.environ.get(PRIVATE):
        return
    python = sys.executable
    if subprocess.run([python, "-c", "import pyatspi"], capture_output=True).returncode != 0:
        python = "/usr/bin/python3"  # Debian's, where python3-pyatspi installs
        if subprocess.run([python, "-c", "import pyatspi"], capture_output=True).returncode != 0:
            skip_or_fail("python3-pyatspi is not installed (scripts/install-deps.sh)")
    for tool in ("dbus-run-session", "/usr/libexec/at-spi-bus-launcher"):
        if not os.path.exists(tool) and subprocess.run(["which", tool], capture_output=True).returncode != 0:
            skip_or_fail(f"{tool} is missing (at-spi2-core, dbus: scripts/install-deps.sh)")
    env = dict(os.environ, **{PRIVATE: "1"})
    os.execvpe("dbus-run-session", ["dbus-run-session", "--", python, *sys.argv], env)


class Bus:
    """The accessibility bus, on the private session bus, for the test's length."""

    def __enter__(self):
        self.process = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
        return False


def application(pyatspi, program):
    def found():
        e.check(program.alive(), "piyo exited")
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == program.pid:
                return app
        return None
    return e.wait_for("piyo on the accessibility bus", found, 15, 0.2)


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def window(pyatspi, app, title):
    def shown():
        app.clearCache()  # the windows come and go: the cached list of them is stale
        for i in range(app.childCount):
            frame = app.getChildAtIndex(i)
            if frame is not None and frame.name == title and \
                    frame.getState().contains(pyatspi.STATE_SHOWING):
                return frame
        return None
    try:
        return e.wait_for(f"the window '{title}' in the tree", shown, 10, 0.1)
    except e.Failure:
        frames = [app.getChildAtIndex(i) for i in range(app.childCount)]
        raise e.Failure(f"no window '{title}' in the tree; it has "
                        f"{[(f.name, f.getState().contains(pyatspi.STATE_SHOWING)) for f in frames if f]}") from None


def buttons(pyatspi, frame):
    """name -> accessible of every push button on show in the window."""
    found = {}
    for acc in nodes(frame):
        if acc.getRole() == pyatspi.ROLE_PUSH_BUTTON and acc.getState().contains(pyatspi.STATE_SHOWING):
            found.setdefault(acc.name, acc)
    return found


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    e.check("Press" in names, f"'{acc.name}' has no press action: {names}")
    action.doAction(names.index("Press"))


def check_buttons(pyatspi, frame, wanted, what):
    shown = buttons(pyatspi, frame)
    missing = [name for name in wanted if name not in shown]
    e.check(not missing, f"{what}: no push button named {missing}; buttons seen: {sorted(shown)}")
    return shown


def main():
    enter_private_bus()
    import pyatspi
    from gi.repository import GLib

    args = e.arguments()
    e.require_session(sound=False)
    heard = []

    def listen(event):
        name = event.source.name if event.source is not None else ""
        heard.append((event.type, name, str(event.any_data)))

    with e.Scratch("atspi", args.workdir) as scratch, Bus():
        e.make_test_media(scratch, SEASON)
        env = {"QT_ACCESSIBILITY": "1", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}
        with e.Program(e.install_program(args.program, scratch), env=env) as program:
            e.start(program)
            app = application(pyatspi, program)
            menu = window(pyatspi, app, e.MENU_TITLE)
            items = check_buttons(pyatspi, menu, MENU_ITEMS[:3], "the menu")
            e.check(not [a for a in nodes(menu) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == "ピ"],
                    "the menu's unclickable ピ is a button")
            press(items["■ピヨ調べ"])
            e.wait_for("the look-up submenu", lambda: "■春　夏" in buttons(pyatspi, menu), 5)
            items = check_buttons(pyatspi, menu, MENU_ITEMS[3:], "the look-up submenu")
            press(items["■春　夏"])

            reference = window(pyatspi, app, e.REFERENCE_TITLES[SEASON])
            shown = check_buttons(pyatspi, reference, ["■ピヨ探し", "■メニュー"], "the reference screen")
            names = [n for n in shown if n not in ("■ピヨ探し", "■メニュー")]
            e.check(len(names) == 40, f"the reference screen's board has {len(names)} named buttons, not 40")
            press(shown[names[0]])
            described = e.wait_for("説明", lambda: buttons(pyatspi, reference).get("説　明"), 5)
            press(described)
            lists = lambda: [a for a in nodes(reference) if a.getRole() == pyatspi.ROLE_LIST
                             and a.getState().contains(pyatspi.STATE_SHOWING)]
            listed = e.wait_for("the description list's lines",
                                lambda: [a for a in lists() if "試験用の鳥" in (a.description or "")], 5)
            e.log("the description list reads:", listed[0].description.replace("\n", " / "))
            press(buttons(pyatspi, reference)["■ピヨ探し"])
            e.wait_window(program, e.QUIZ_TITLES[SEASON])

            quiz = window(pyatspi, app, e.QUIZ_TITLES[SEASON])
            shown = check_buttons(pyatspi, quiz, ["■ピヨ調べ", "■メニュー", "□声だけ", "■成績を見る"], "the quiz")
            board = [n for n in names if n in shown]
            e.check(len(board) == 40, f"the quiz's board has {len(board)} of the 40 names as buttons")

            pyatspi.Registry.registerEventListener(
                listen, "object:property-change:accessible-name", "object:state-changed:showing")
            context = GLib.MainContext.default()
            deadline = time.monotonic() + 12
            next_press = 0
            judged = None
            while judged is None:
                e.check(time.monotonic() < deadline, f"no judgement announced; events heard: {heard[-10:]}")
                if time.monotonic() >= next_press:
                    press(shown[board[0]])  # taken once a question is open
                    next_press = time.monotonic() + 0.5
                while context.pending():
                    context.iteration(False)
                judged = next((h for h in heard if "正解" in h[1]), None)
                time.sleep(0.05)
            e.log("announced:", judged)
            pyatspi.Registry.deregisterEventListener(
                listen, "object:property-change:accessible-name", "object:state-changed:showing")
            press(buttons(pyatspi, quiz)["■メニュー"])
            e.wait_window(program, e.MENU_TITLE)


if __name__ == "__main__":
    e.run(main)
