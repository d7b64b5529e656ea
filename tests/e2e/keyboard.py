#!/usr/bin/env python3
"""The whole way through with the keyboard alone: the menu to 春夏's look-up,
a bird chosen on the name board with the arrows, its description opened and
closed; the focus mark seen at the design size and at twice it; on to the quiz,
a question answered right, 声だけ turned on, back to the menu and the end.
No mouse button is ever pressed.
"""

import time

import e2elib as e

SEASON = "spring"
BOARD = e.BIRDS_ON_BOARD[SEASON]
FEEDBACK_POINT = (e.FEEDBACK_PICTURE[0] + 60, e.FEEDBACK_PICTURE[1] + 60)
WHITE = (255, 255, 255)


_focused = None


def keys(window, *sequence):
    """Key presses into the window. A new window gets the keyboard's focus first
    (with no window manager nothing else gives it), and a moment for the
    program to hear of it: keys that come before are dropped."""
    global _focused
    if window != _focused:
        e.xdotool("windowfocus", "--sync", window, check_status=False)
        time.sleep(0.3)
        _focused = window
    e.xdotool("key", "--clearmodifiers", "--delay", "30", *sequence)


def scaled(rect, factor):
    x, y, w, h = rect
    left, top = round(x * factor), round(y * factor)
    return (left, top, round((x + w) * factor) - left, round((y + h) * factor) - top)


def marked(window, rect, width, inset=0, colour=WHITE):
    """Whether the focus mark frames rect: its top and left edges, `width` pixels
    deep inside the label's border (`inset` pixels), are in the label's text colour."""
    shot = e.screenshot(window)
    x, y, w, h = rect[0] + inset, rect[1] + inset, rect[2] - 2 * inset, rect[3] - 2 * inset
    edges = [(x + i, y + d) for i in range(w) for d in range(width)]
    edges += [(x + d, y + i) for i in range(h) for d in range(width)]
    return sum(shot.pixel(*p) == colour for p in edges) >= 0.95 * len(edges)


def submenu_shown(menu):
    """The season's label of a submenu is on show (red for the most part: the
    focus mark takes its share)."""
    return e.screenshot(menu).dominant(e.MENU[SEASON]) == e.RED


def to_position(position):
    """Arrow presses from the board's first name to a position: down the left
    column, or across to the right column and down it."""
    column, row = divmod(position, 20)
    return ["Right"] * column + ["Down"] * row


def main():
    args = e.arguments()
    e.require_session(sound=False)
    with e.Scratch("keyboard", args.workdir) as scratch:
        e.make_test_media(scratch, SEASON)
        with e.Program(e.install_program(args.program, scratch)) as program:
            menu = e.start(program)
            # ■ピヨ調べ has the focus: down to ■ピヨ探し and back up, then into it.
            keys(menu, "Down", "Up", "Return")
            e.wait_for("the look-up submenu", lambda: submenu_shown(menu), 5)
            e.check(marked(menu, e.MENU[SEASON], 1, inset=1), "■春　夏 does not show the focus mark")
            keys(menu, "Return")
            reference = e.wait_window(program, e.REFERENCE_TITLES[SEASON])

            # The name board opens with the focus on its first name.
            position = 22
            keys(reference, *to_position(position), "Up", "Down", "Return")
            bird = e.wait_for("the chosen bird's picture", lambda: e.bird_on_show(reference), 6)
            e.check(bird == BOARD[position], f"bird {bird} shown for position {position}")
            label = e.name_label(position)
            e.check(e.screenshot(reference).share(label, e.RED) > 0.5, "the chosen name is not marked red")
            e.check(marked(reference, label, 1), "the focused name shows no focus mark at 100 %")
            e.save_screenshot(reference, args.screenshots, "keyboard-focus.png")

            # Past the rest of the board, ■声紋, 姿 and 声 to 説明.
            keys(reference, *["Tab"] * (40 - position), "Tab", "Tab", "Tab", "Return")
            listed = e.DESCRIPTION_LIST[SEASON]
            e.wait_for("the description list", lambda: e.screenshot(reference).share(listed, e.LIST_BLUE) > 0.3, 5)
            keys(reference, "Escape")
            e.wait_for("the description list to close",
                       lambda: e.screenshot(reference).share(listed, e.LIST_BLUE) < 0.05, 5)
            e.check(program.alive(), "piyo ended on Escape in the description list")

            # At twice the size the mark is twice as thick.
            # From 説明 over 声, 姿 and ■声紋 onto the board.
            keys(reference, "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "Up", "Up")
            keys(reference, *["ctrl+plus"] * 4)
            e.wait_for("the window at twice its size", lambda: e.geometry(reference)[2] == 1280, 5)
            focused = scaled(e.name_label(37), 2)
            e.wait_for("the focus mark at 200 %", lambda: marked(reference, focused, 2), 5)
            keys(reference, "ctrl+0")
            e.wait_for("the window at its design size", lambda: e.geometry(reference)[2] == 640, 5)

            keys(reference, "Escape")  # ■メニュー
            menu = e.wait_window(program, e.MENU_TITLE)
            keys(menu, "Tab", "Return")  # ■ピヨ探し
            e.wait_for("the quiz submenu", lambda: submenu_shown(menu), 5)
            keys(menu, "Return")
            quiz = e.wait_window(program, e.QUIZ_TITLES[SEASON])

            bird = e.wait_for("a bird picture in the quiz", lambda: e.bird_on_show(quiz), 8)
            position = BOARD.index(bird)
            e.log(f"bird {bird} on show, its name at position {position}")
            keys(quiz, *to_position(position), "space")
            e.wait_for("the right-answer picture",
                       lambda: e.screenshot(quiz).pixel(*FEEDBACK_POINT) == e.RIGHT_PICTURE_COLOUR, 4)
            shot = e.screenshot(quiz)
            e.check(shot.colours(e.RIGHT_COUNT).get(e.YELLOW, 0) > 0, "the right count shows nothing")
            e.check(shot.colours(e.WRONG_COUNT).get(e.YELLOW, 0) == 0, "the wrong count is not empty")

            # Back to the first name, then back over ■メニュー and ■ピヨ調べ to 声だけ.
            keys(quiz, *["Left"] * (position // 20), *["Up"] * (position % 20), "shift+Tab", "shift+Tab",
                 "shift+Tab", "Return")
            e.wait_for("■声だけ", lambda: e.by_ear_on(quiz), 5)
            keys(quiz, "Escape")  # ■メニュー
            menu = e.wait_window(program, e.MENU_TITLE)
            keys(menu, "Down", "Down", "Return")  # ■終　　  了
            e.check(program.wait(10) == 0, "piyo did not end cleanly")


if __name__ == "__main__":
    e.run(main)
