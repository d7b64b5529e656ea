#!/usr/bin/env python3
"""From the menu, "■ピヨ探し" then "■秋　冬" replaces the menu by the autumn/winter quiz."""

import e2elib as e


def main():
    args = e.arguments()
    e.require_session(sound=False)
    with e.Program(args.program) as program:
        menu = e.start(program)
        e.check(e.screenshot(menu).share(e.MENU["quiz"], e.RED) > 0.5, "no red ■ピヨ探し on the menu")
        e.save_screenshot(menu, args.screenshots, "menu.png")

        e.click(menu, e.centre(e.MENU["quiz"]))
        e.wait_for("the quiz submenu", lambda: e.label_shown(menu, e.MENU["autumn"]), 5)
        e.check(e.open_window(program) == (menu, e.MENU_TITLE), "the submenu is not on the menu window")
        e.click(menu, e.centre(e.MENU["autumn"]))

        quiz = e.wait_window(program, e.QUIZ_TITLES["autumn"])
        windows = e.visible_windows(program.pid)
        e.check(windows == [quiz], f"expected only the quiz window, found {len(windows)} windows")
        e.check(not e.xdotool("search", "--onlyvisible", "--name", f"^{e.MENU_TITLE}$",
                              check_status=False).split(), "the menu window is still visible")
        e.check(e.geometry(quiz)[2:] == (640, 397), f"quiz window is {e.geometry(quiz)[2:]}, not 640×397")


if __name__ == "__main__":
    e.run(main)
