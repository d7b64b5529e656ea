#!/usr/bin/env python3
"""Looking birds up on ピヨ調べ（秋冬）: name, picture, call and description."""

import e2elib as e

SEASON = "autumn"
BOARD = e.BIRDS_ON_BOARD[SEASON]
BUTTON_PINK = (255, 128, 128)


def choose(window, recorder, position):
    """Clicks a name and waits for its red mark, its picture and its call; returns where the call began."""
    bird = BOARD[position]
    clicked = recorder.position()
    e.click(window, e.centre(e.name_label(position)))
    e.wait_for(f"bird {bird}'s picture and its name in red",
               lambda: (s := e.screenshot(window)).share(e.name_label(position), e.RED) > 0.5
               and e.bird_from_colour(s.pixel(*e.centre(e.PICTURE_PANEL))) == bird, 3)
    started = recorder.wait_tone(e.bird_tone(bird), clicked, f"bird {bird}'s call")
    e.log(f"bird {bird} chosen at position {position}")
    return started


def main():
    args = e.arguments()
    e.require_session()
    with e.Scratch("reference", args.workdir) as scratch, e.Recorder() as recorder:
        e.make_test_media(scratch, SEASON)
        recorder.wait_ready()
        with e.Program(e.install_program(args.program, scratch)) as program:
            menu = e.start(program)
            window = e.choose_from_menu(program, menu, "look_up", SEASON)
            shot = e.screenshot(window)
            e.check(not [p for p in range(40) if shot.share(e.name_label(p), e.RED) > 0.5], "a name is red at first")
            e.check(shot.share(e.DESCRIPTION_BUTTON, BUTTON_PINK) < 0.1, "説　明 is shown before a bird is chosen")

            first = choose(window, recorder, 8)
            e.check(e.screenshot(window).share(e.DESCRIPTION_BUTTON, BUTTON_PINK) > 0.3, "説　明 is not shown")
            second = choose(window, recorder, 30)
            shot = e.screenshot(window)
            e.check(shot.dominant(e.name_label(8)) == e.BOARD_BLUE, "the first name stays red")
            e.check(not recorder.heard(e.bird_tone(BOARD[8]), second),
                    f"the first call goes on after the second began: {recorder.describe(first)}")

            e.click(window, e.centre(e.DESCRIPTION_BUTTON))
            area = e.DESCRIPTION_LIST[SEASON]
            shot = e.wait_for("the description list", lambda: (s := e.screenshot(window)).share(area, e.LIST_BLUE) > 0.5
                              and s, 3)
            e.check(shot.colours(area).get((255, 255, 255), 0) > 20, "the description list shows no text")
            e.save_screenshot(window, args.screenshots, "reference.png")

            # A click on the board outside the list closes it and chooses nothing.
            closing = recorder.position()
            e.click(window, e.centre(e.name_label(0)))
            shot = e.wait_for("the description list to close",
                              lambda: (s := e.screenshot(window)).share(area, e.LIST_BLUE) < 0.1 and s, 3)
            e.check(shot.dominant(e.name_label(0)) == e.BOARD_BLUE, "the click that closed the list chose a name")
            e.check(shot.share(e.name_label(30), e.RED) > 0.5, "the chosen name lost its red mark")
            e.check(e.bird_from_colour(shot.pixel(*e.centre(e.PICTURE_PANEL))) == BOARD[30],
                    "the picture changed when the list closed")
            try:
                e.wait_for("the call to go on", lambda: len(recorder.heard(e.bird_tone(BOARD[30]), closing)) >= 3, 3)
            except e.Failure as failure:
                raise e.Failure(f"{failure}; heard since the second name: {recorder.describe(second)}") from None

            # With the list closed the board takes clicks again.
            choose(window, recorder, 0)
            e.click(window, e.centre(e.REFERENCE_TO_MENU))
            e.wait_window(program, e.MENU_TITLE)


if __name__ == "__main__":
    e.run(main)
