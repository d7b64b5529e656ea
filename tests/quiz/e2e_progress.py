#!/usr/bin/env python3
"""The progress view in a real window, with real sound: opened from its label,
the question's call falls silent while it is open and comes back after; a
click on a confusion plays the two birds' calls one after the other."""

import datetime
import os
import sqlite3
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2elib as e  # noqa: E402

SEASON = "autumn"
PROGRESS_LABEL = (186, 377, 118, 18)  # ■成績を見る, the foot of the picture panel
VIEW = (310, 34, 324, 361)            # over the name board
RED = (255, 0, 0)


def first_confusion(quiz):
    """The centre of the first red box below the view's title line, or None."""
    shot = e.screenshot(quiz)
    x0, y0, w, h = VIEW
    for y in range(y0 + 30, y0 + h, 2):
        for x in range(x0 + 4, x0 + w - 20, 3):
            if shot.pixel(x, y) == RED:
                return (x + 12, y + 6)
    return None


def rewrite_history(path, shown, taken_for):
    """Only three misses of one bird, taken each time for another, three days ago."""
    when = datetime.datetime.now(datetime.timezone.utc) - datetime.timedelta(days=3)
    with sqlite3.connect(path) as db:
        db.execute("DELETE FROM answers")
        db.execute("DELETE FROM bird_totals")
        db.execute("DELETE FROM confusions")
        for i in range(3):
            at = (when + datetime.timedelta(minutes=i)).strftime("%Y-%m-%dT%H:%M:%S.000Z")
            db.execute("INSERT INTO answers (answered_at, season, mode, shown, answered, is_right, elapsed_ms)"
                       " VALUES (?, 'autumn-winter', 'picture', ?, ?, 0, 2500)", (at, shown, taken_for))


def main():
    args = e.arguments()
    e.require_session()
    with e.Scratch("progress", args.workdir) as scratch:
        e.make_test_media(scratch, SEASON)
        program_path = e.install_program(args.program, scratch)
        history = os.path.join(scratch, "piyo-home", "data", "piyo", "history.sqlite")

        # Two birds of the set, as the quiz asks them; the history file made.
        with e.Program(program_path) as program:
            menu = e.start(program)
            quiz = e.choose_from_menu(program, menu, "quiz", SEASON)
            first = e.wait_for("the first bird", lambda: e.bird_on_show(quiz), 6)
            e.click(quiz, e.centre(e.name_label(0)))
            second = e.wait_for("another bird", lambda: (lambda b: b if b not in (None, first) else None)(
                e.bird_on_show(quiz)), 10)
            e.click(quiz, e.centre(e.QUIZ_TO_MENU))
            menu = e.wait_window(program, e.MENU_TITLE)
            e.click(menu, e.centre(e.MENU["quit"]))
            e.check(program.wait(10) == 0, "piyo did not end cleanly")
        rewrite_history(history, first, second)

        with e.Program(program_path) as program, e.Recorder() as sound:
            sound.wait_ready()
            menu = e.start(program)
            quiz = e.choose_from_menu(program, menu, "quiz", SEASON)
            asked = e.wait_for("a question", lambda: e.bird_on_show(quiz), 6)
            start = sound.position()
            sound.wait_tone(e.bird_tone(asked), start, "the question's call")

            e.click(quiz, e.centre(PROGRESS_LABEL))
            target = e.wait_for("the confusion in the progress view", lambda: first_confusion(quiz), 5)
            e.save_screenshot(quiz, args.screenshots, "quiz-progress.png")
            time.sleep(0.8)
            quiet = sound.position()
            time.sleep(1.2)
            e.check(not sound.heard(e.bird_tone(asked), quiet),
                    f"the call plays on under the progress view: {sound.describe(quiet)}")

            drill = sound.position()
            e.click(quiz, target)
            heard_first = sound.wait_tone(e.bird_tone(first), drill, "the first call of the pair", 5)
            heard_second = sound.wait_tone(e.bird_tone(second), drill, "the second call of the pair", 6)
            e.check(heard_second > heard_first,
                    f"the second call came before the first: {sound.describe(drill)}")
            e.save_screenshot(quiz, args.screenshots, "quiz-contrast.png")

            time.sleep(1.5)
            back = sound.position()
            e.click(quiz, e.centre(PROGRESS_LABEL))
            sound.wait_tone(e.bird_tone(asked), back, "the question's call after the view closed", 5)


e.run(main)
