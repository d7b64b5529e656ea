#!/usr/bin/env python3
"""The window at other sizes, under a real window manager: Ctrl++ twice makes
the menu half as large again, a quiz answered at that size is judged right, the
size survives a restart, Ctrl+0 brings back the design size, and a window
resized by its frame keeps its shape.

Positions in e2elib are design-size pixels; here they are scaled by the factor.
"""

import os
import shutil
import signal
import subprocess

import e2elib as e

SEASON = "autumn"
BOARD = e.BIRDS_ON_BOARD[SEASON]
DESIGN = (640, 400)        # the menu
BOARD_DESIGN = (9600, 5955)  # quiz and reference, in twips: 640 x 397
FACTOR = 1.5


def scaled(rect, factor):
    x, y, w, h = rect
    left, top = round(x * factor), round(y * factor)
    return (left, top, round((x + w) * factor) - left, round((y + h) * factor) - top)


def size(window):
    return e.geometry(window)[2:]


def wait_size(window, wanted, what):
    e.wait_for(f"{what} at {wanted[0]} x {wanted[1]}", lambda: size(window) == wanted, 5)
    e.log(f"{what}: {wanted[0]} x {wanted[1]}")


def keys(window, *sequence):
    e.xdotool("windowactivate", "--sync", window, check_status=False)
    e.xdotool("windowfocus", "--sync", window, check_status=False)
    for key in sequence:
        e.xdotool("key", "--clearmodifiers", key)


class WindowManager:
    """openbox on the test's display, for as long as the test runs."""

    def __enter__(self):
        self.process = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        e.wait_for("the window manager", self._running, 5)
        return self

    def _running(self):
        e.check(self.process.poll() is None, "openbox exited at start")
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
        return "window id" in out.stdout

    def __exit__(self, *exc):
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        return False


def answer_right(program, quiz, factor):
    feedback = (e.FEEDBACK_PICTURE[0] + 60, e.FEEDBACK_PICTURE[1] + 60)
    panel = e.centre(scaled(e.PICTURE_PANEL, factor))
    bird = e.wait_for("a bird picture in the panel",
                      lambda: e.bird_from_colour(e.screenshot(quiz).pixel(*panel)), 6)
    e.check(bird in BOARD, f"bird {bird} is not an autumn/winter bird")
    position = BOARD.index(bird)
    e.log(f"bird {bird} on show; clicking its name at position {position}")
    e.click(quiz, e.centre(scaled(e.name_label(position), factor)))
    point = tuple(round(c * factor) for c in feedback)
    e.wait_for("the right-answer picture",
               lambda: e.screenshot(quiz).pixel(*point) == e.RIGHT_PICTURE_COLOUR, 4)
    shot = e.screenshot(quiz)
    right = scaled(e.RIGHT_COUNT, factor)
    e.check(shot.colours(right).get(e.YELLOW, 0) > 0, "the right count shows nothing after a right answer")
    e.check(shot.colours(scaled(e.WRONG_COUNT, factor)).get(e.YELLOW, 0) == 0, "the wrong count is not empty")


def main():
    args = e.arguments()
    e.require_session(sound=False)
    if shutil.which("openbox") is None or shutil.which("xprop") is None:
        message = "openbox and xprop are needed (scripts/install-deps.sh)"
        if os.environ.get("CI", "").lower() == "true":
            raise e.Failure(message)
        print("SKIP:", message)
        raise SystemExit(e.SKIP)
    with e.Scratch("scaling", args.workdir) as scratch, WindowManager():
        e.make_test_media(scratch, SEASON)
        executable = e.install_program(args.program, scratch)
        larger = tuple(round(d * FACTOR) for d in DESIGN)

        with e.Program(executable) as program:
            menu = e.start(program)
            wait_size(menu, DESIGN, "the menu at first start")
            keys(menu, "ctrl+plus", "ctrl+plus")
            wait_size(menu, larger, "the menu after Ctrl++ twice")
            e.check(e.label_shown(menu, scaled(e.MENU["quiz"], FACTOR)), "■ピヨ探し is not where it should be")
            e.click(menu, e.centre(scaled(e.MENU["quiz"], FACTOR)))
            e.wait_for("the submenu", lambda: e.label_shown(menu, scaled(e.MENU[SEASON], FACTOR)), 5)
            e.click(menu, e.centre(scaled(e.MENU[SEASON], FACTOR)))
            quiz = e.wait_window(program, e.QUIZ_TITLES[SEASON])
            wait_size(quiz, tuple(int(t * FACTOR / 15 + 0.5) for t in BOARD_DESIGN), "the quiz")
            answer_right(program, quiz, FACTOR)
            e.click(quiz, e.centre(scaled(e.QUIZ_TO_MENU, FACTOR)))
            menu = e.wait_window(program, e.MENU_TITLE)
            wait_size(menu, larger, "the menu again")
            e.click(menu, e.centre(scaled(e.MENU["quit"], FACTOR)))
            e.check(program.wait(10) == 0, "piyo did not end cleanly")

        with e.Program(executable) as program:
            menu = e.start(program)
            wait_size(menu, larger, "the menu after a restart")
            keys(menu, "ctrl+0")
            wait_size(menu, DESIGN, "the menu after Ctrl+0")
            # The frame: the factor follows the smaller ratio, the shape stays.
            e.xdotool("windowsize", menu, 1100, 500)
            wait_size(menu, (800, 500), "the menu dragged to 1100 x 500")
            e.check(e.label_shown(menu, scaled(e.MENU["quiz"], 1.25)), "■ピヨ探し is not where it should be")
            keys(menu, "ctrl+0")
            wait_size(menu, DESIGN, "the menu after Ctrl+0")
            e.click(menu, e.centre(e.MENU["quit"]))
            e.check(program.wait(10) == 0, "piyo did not end cleanly")

        with e.Program(executable) as program:
            wait_size(e.start(program), DESIGN, "the menu after Ctrl+0 and a restart")
            e.click(e.start(program), e.centre(e.MENU["quit"]))
            program.wait(10)


if __name__ == "__main__":
    e.run(main)
