#!/usr/bin/env python3
"""Named pipes among the media: ピヨ調べ（春夏） stays live.

A sync tool or a mistaken mkfifo can leave a FIFO where a picture, a call or a
description should be. Opening one for reading waits for a writer that never
comes; piyo must treat it as a missing file: the bird is marked and shown
without its picture and call, 説明 opens an empty list, and the next bird and
■メニュー answer at once.
"""

import os

import e2elib as e

SEASON = "spring"
BOARD = e.BIRDS_ON_BOARD[SEASON]
PIPED = 8     # the board position whose three files are pipes
NEXT = 30


def main():
    args = e.arguments()
    e.require_session()
    with e.Scratch("reference-fifos", args.workdir) as scratch, e.Recorder() as recorder:
        e.make_test_media(scratch, SEASON)
        bird = BOARD[PIPED]
        for folder, name in (("姿", f"b{bird}.gif"), ("声", f"k{bird}.wav"), ("説明", f"s{bird}.txt")):
            path = os.path.join(scratch, folder, name)
            if os.path.exists(path):
                os.remove(path)
            os.mkfifo(path)
        recorder.wait_ready()
        with e.Program(e.install_program(args.program, scratch)) as program:
            menu = e.start(program)
            window = e.choose_from_menu(program, menu, "look_up", SEASON)

            e.click(window, e.centre(e.name_label(PIPED)))
            e.wait_for(f"bird {bird}'s name in red", lambda: e.label_shown(window, e.name_label(PIPED)), 3)

            e.click(window, e.centre(e.DESCRIPTION_BUTTON))
            area = e.DESCRIPTION_LIST[SEASON]
            e.wait_for("the (empty) description list", lambda: e.screenshot(window).share(area, e.LIST_BLUE) > 0.9, 3)
            e.click(window, e.centre(e.name_label(0)))  # closes the list
            e.wait_for("the description list to close",
                       lambda: e.screenshot(window).share(area, e.LIST_BLUE) < 0.1, 3)

            # The next bird comes as quickly as ever, picture and call.
            clicked = recorder.position()
            following = BOARD[NEXT]
            e.click(window, e.centre(e.name_label(NEXT)))
            e.wait_for(f"bird {following}'s picture",
                       lambda: e.bird_from_colour(e.screenshot(window).pixel(*e.centre(e.PICTURE_PANEL))) == following,
                       3)
            recorder.wait_tone(e.bird_tone(following), clicked, f"bird {following}'s call")

            e.click(window, e.centre(e.REFERENCE_TO_MENU))
            e.wait_window(program, e.MENU_TITLE, 3)


if __name__ == "__main__":
    e.run(main)
