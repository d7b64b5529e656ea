#!/usr/bin/env python3
"""A quiz round by round, seen on the screen and heard on the sound server's monitor.

Every test bird has a flat colour and a pure tone of its own, so a screenshot
tells which bird is on show and the recording tells which call is playing.
"""

import e2elib as e

SEASON = "autumn"
BOARD = e.BIRDS_ON_BOARD[SEASON]
FEEDBACK_POINT = (e.FEEDBACK_PICTURE[0] + 60, e.FEEDBACK_PICTURE[1] + 60)


def next_bird(quiz, previous=None):
    """Waits for a bird picture other than previous; returns (bird, board position)."""
    bird = e.wait_for("a bird picture in the panel",
                      lambda: (b := e.bird_on_show(quiz)) and b != previous and b, 6)
    e.check(bird in BOARD, f"bird {bird} is not an autumn/winter bird")
    e.log(f"bird {bird} on show, its name at position {BOARD.index(bird)}")
    return bird, BOARD.index(bird)


def count_glyph(shot, rect):
    """The yellow pixels of a count label, relative to the label."""
    x0, y0, w, h = rect
    return {(x - x0, y - y0) for y in range(y0, y0 + h) for x in range(x0, x0 + w) if shot.pixel(x, y) == e.YELLOW}


def shows_one(shot, rect):
    """Whether a count label shows "1": a single stroke, far taller than wide."""
    glyph = count_glyph(shot, rect)
    if not glyph:
        return False
    xs, ys = [p[0] for p in glyph], [p[1] for p in glyph]
    return (max(xs) - min(xs) + 1) * 2 < max(ys) - min(ys) + 1


def feedback_colour(quiz):
    return e.screenshot(quiz).pixel(*FEEDBACK_POINT)


def check_call_then_feedback(recorder, clicked, call, feedback, what):
    """After the click the call ends, a silence follows, then the feedback tone; the call never returns."""
    start = recorder.wait_tone(feedback, clicked, f"the {what} sound")
    heard = recorder.describe(clicked)
    e.log(f"heard since the click: {heard}")
    # 20 ms frames: the feedback may follow the click by little more than 0.1 s.
    frames = recorder.frames(clicked, size=320)
    calls = [f[0] for f in frames if f[2] is not None and abs(f[2] - call) <= 15]
    feedbacks = [f[0] for f in frames if f[2] is not None and abs(f[2] - feedback) <= 15]
    e.check(not [p for p in calls if p > feedbacks[0]],
            f"the call ({call:.0f} Hz) sounds again after the {what} sound: {heard}")
    last_call = max(calls, default=clicked)
    e.check([f for f in frames if last_call < f[0] < feedbacks[0] and f[1] <= 300],
            f"no silence between the call ({call:.0f} Hz) and the {what} sound: {heard}")


def answer(quiz, recorder, position):
    clicked = recorder.position()
    e.click(quiz, e.centre(e.name_label(position)))
    shot = e.wait_for("the clicked name in yellow",
                      lambda: (s := e.screenshot(quiz)).share(e.name_label(position), e.YELLOW) > 0.5 and s, 2)
    e.check(shot.colours(e.name_label(position)).get((0, 0, 0), 0) > 10, "the yellow name's text is not black")
    return clicked


def main():
    args = e.arguments()
    e.require_session()
    with e.Scratch("quiz", args.workdir) as scratch, e.Recorder() as recorder:
        e.make_test_media(scratch, SEASON)
        recorder.wait_ready()
        with e.Program(e.install_program(args.program, scratch)) as program:
            menu = e.start(program)
            opened = recorder.position()
            quiz = e.choose_from_menu(program, menu, "quiz", SEASON)
            shot = e.screenshot(quiz)
            e.check(not count_glyph(shot, e.RIGHT_COUNT) and not count_glyph(shot, e.WRONG_COUNT),
                    "the counts are not empty at first")

            # First bird: answered right.
            bird, position = next_bird(quiz)
            # The call file lasts 0.52 s: 1.2 s of it means it repeats.
            try:
                recorder.wait_tone(e.bird_tone(bird), opened, f"bird {bird}'s call repeating", 5, frames=24)
            except e.Failure as failure:
                raise e.Failure(f"{failure}; heard: {recorder.describe(opened)}") from None
            clicked = answer(quiz, recorder, position)
            e.wait_for("the right-answer picture", lambda: feedback_colour(quiz) == e.RIGHT_PICTURE_COLOUR, 3)
            shot = e.screenshot(quiz)
            e.check(shows_one(shot, e.RIGHT_COUNT), "the right count does not show 1")
            e.check(not count_glyph(shot, e.WRONG_COUNT), "the wrong count is not empty after a right answer")
            check_call_then_feedback(recorder, clicked, e.bird_tone(bird), e.RIGHT_TONE, "right-answer")

            # Second bird: answered wrong; then the right name turns red.
            shown = recorder.position()
            bird2, position2 = next_bird(quiz, bird)
            shot = e.screenshot(quiz)
            e.check(shot.dominant(e.name_label(position)) == e.BOARD_BLUE, "the first answer stays coloured")
            e.check(shot.pixel(*FEEDBACK_POINT) != e.RIGHT_PICTURE_COLOUR, "the right-answer picture stays")
            recorder.wait_tone(e.bird_tone(bird2), shown, f"bird {bird2}'s call")
            wrong = (position2 + 1) % 40
            clicked = answer(quiz, recorder, wrong)
            e.wait_for("the wrong-answer picture", lambda: feedback_colour(quiz) == e.WRONG_PICTURE_COLOUR, 3)
            shot = e.screenshot(quiz)
            e.check(shows_one(shot, e.WRONG_COUNT), "the wrong count does not show 1")
            e.check(count_glyph(shot, e.RIGHT_COUNT) == count_glyph(shot, e.WRONG_COUNT),
                    "the right count no longer shows 1 after a wrong answer")
            check_call_then_feedback(recorder, clicked, e.bird_tone(bird2), e.WRONG_TONE, "wrong-answer")

            shot = e.wait_for("the right name in red",
                              lambda: (s := e.screenshot(quiz)).share(e.name_label(position2), e.RED) > 0.5 and s, 4)
            e.check(shot.dominant(e.name_label(wrong)) == e.BOARD_BLUE, "the wrong answer is still marked")
            e.check(e.bird_from_colour(shot.pixel(*e.centre(e.PICTURE_PANEL))) == bird2,
                    "the bird changed while its name was shown in red")
            e.check(shot.pixel(*FEEDBACK_POINT) != e.WRONG_PICTURE_COLOUR, "the wrong-answer picture stays")
            e.save_screenshot(quiz, args.screenshots, "quiz.png")

            next_bird(quiz, bird2)
            e.check(e.screenshot(quiz).dominant(e.name_label(position2)) == e.BOARD_BLUE,
                    "the right name stays red with the next bird on show")
            e.click(quiz, e.centre(e.QUIZ_TO_MENU))
            e.wait_window(program, e.MENU_TITLE)


if __name__ == "__main__":
    e.run(main)
