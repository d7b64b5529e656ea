#!/usr/bin/env python3
"""A second click right behind "■メニュー" lands on a screen that is closing.

A quick double action (leave, and click a name before the menu is up) must
neither crash the program nor bring anything back but the menu.
"""

import time

import e2elib as e

ATTEMPTS = 3
SEASON = "autumn"


def leave_and_click_a_name(program, window, link):
    """Clicks the link and, a few milliseconds later, a name on the same spot of the screen."""
    left, top = e.geometry(window)[:2]
    commands = []
    for point in (e.centre(link), e.centre(e.name_label(3))):
        commands += ["mousemove", left + point[0], top + point[1], "click", "--delay", "5", "1"]
    e.xdotool(*commands)
    menu = e.wait_window(program, e.MENU_TITLE)
    time.sleep(1)  # the second click has been handled by now, or would have been
    only_menu = e.open_window(program) == (menu, e.MENU_TITLE)
    time.sleep(0.3)  # a window that vanished may have gone with the program
    e.check(program.alive(), f"piyo ended (status {program.process.returncode}) after a quick second click")
    e.check(only_menu, "the menu is not the only window after a quick second click")


def main():
    args = e.arguments()
    e.require_session()
    with e.Scratch("click-after-leaving", args.workdir) as scratch:
        e.make_test_media(scratch, SEASON)
        program_path = e.install_program(args.program, scratch)
        for attempt in range(ATTEMPTS):
            with e.Program(program_path) as program:
                # The reference screen, its call playing.
                menu = e.start(program)
                reference = e.choose_from_menu(program, menu, "look_up", SEASON)
                e.click(reference, e.centre(e.name_label(8)))
                e.wait_for("the chosen name in red",
                           lambda: e.screenshot(reference).share(e.name_label(8), e.RED) > 0.5, 3)
                leave_and_click_a_name(program, reference, e.REFERENCE_TO_MENU)

                # The quiz with a question open, its call playing.
                quiz = e.choose_from_menu(program, e.open_window(program)[0], "quiz", SEASON)
                e.wait_for("a bird picture", lambda: e.bird_on_show(quiz), 6)
                leave_and_click_a_name(program, quiz, e.QUIZ_TO_MENU)
            e.log(f"attempt {attempt + 1} of {ATTEMPTS} survived")


if __name__ == "__main__":
    e.run(main)
