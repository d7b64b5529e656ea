#!/usr/bin/env python3
"""The program ends on "■終　　  了" and when the open window's close box is pressed."""

import e2elib as e


def ends(program, how):
    status = program.wait(10)
    e.check(status == 0, f"piyo ended with status {status} after {how}")
    e.log("ended after", how)


def main():
    args = e.arguments()
    e.require_session(sound=False)

    with e.Program(args.program) as program:
        menu = e.start(program)
        e.click(menu, e.centre(e.MENU["quit"]))
        ends(program, "■終　　  了")

    with e.Program(args.program) as program:
        menu = e.start(program)
        e.press_close_box(menu)
        ends(program, "the menu's close box")

    # A screen other than the menu: nothing opens after it, so the program ends.
    with e.Program(args.program) as program:
        menu = e.start(program)
        reference = e.choose_from_menu(program, menu, "look_up", "spring")
        e.press_close_box(reference)
        ends(program, "the close box of ピヨ調べ（春夏）")

    # The menu after a return from a quiz is a new window; quitting from it still works.
    with e.Program(args.program) as program:
        menu = e.start(program)
        quiz = e.choose_from_menu(program, menu, "quiz", "autumn")
        e.click(quiz, e.centre(e.QUIZ_TO_MENU))
        menu = e.wait_window(program, e.MENU_TITLE)
        e.click(menu, e.centre(e.MENU["quit"]))
        ends(program, "■終　　  了 on a menu reopened from the quiz")


if __name__ == "__main__":
    e.run(main)
