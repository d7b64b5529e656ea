#!/usr/bin/env python3
"""声だけ in a real window: the picture waits for the answer, the setting and
the answers outlive the program, and the score panel opens the results, whose
top line turns 苦手優先 on for good."""

import os
import sqlite3
import time

import e2elib as e

SEASON = "autumn"
NAME_BOARD = (312, 36, 320, 356)
LOW_ON_THE_BOARD = (474 + 80, 36 + 18 * 19 + 8)  # the last name of the right column
WEAK_FIRST = (310, 34, 324, 17)  # □苦手優先 / ■苦手優先, the results view's top line


def no_bird(quiz):
    return e.bird_on_show(quiz) is None


def answer_by_ear(quiz, number):
    """Waits for a question heard, not seen; answers it; the bird then appears."""
    time.sleep(1.5)  # the call has started by now; no picture may have come
    e.check(no_bird(quiz), f"question {number}: a bird is on show before the answer")
    e.click(quiz, e.centre(e.name_label(0)))
    bird = e.wait_for(f"question {number}: the bird after the answer", lambda: e.bird_on_show(quiz), 3)
    e.log(f"question {number}: bird {bird} shown after the answer")
    # The next question comes after the feedback (and the red name after a mistake).
    e.wait_for(f"question {number}: the next question", lambda: no_bird(quiz), 8)


def weak_first_on(quiz):
    """Whether the results view's top line reads ■苦手優先: its square is filled white."""
    x, y, w, h = WEAK_FIRST
    return e.screenshot(quiz).colours((x, y, 18, h)).get((255, 255, 255), 0) > 50


def answers_in(history):
    with sqlite3.connect(history) as db:
        return db.execute("SELECT COUNT(*), SUM(mode = 'ear') FROM answers").fetchone()


def main():
    args = e.arguments()
    e.require_session()
    with e.Scratch("by_ear", args.workdir) as scratch:
        e.make_test_media(scratch, SEASON)
        program_path = e.install_program(args.program, scratch)
        history = os.path.join(scratch, "piyo-home", "data", "piyo", "history.sqlite")

        with e.Program(program_path) as program:
            menu = e.start(program)
            quiz = e.choose_from_menu(program, menu, "quiz", SEASON)
            e.wait_for("the first bird", lambda: e.bird_on_show(quiz), 6)
            e.check(not e.by_ear_on(quiz), "声だけ is on at first")
            e.click(quiz, e.centre(e.BY_EAR))
            e.wait_for("the picture to go when 声だけ is turned on", lambda: no_bird(quiz), 2)
            e.check(e.by_ear_on(quiz), "the toggle does not read ■声だけ")
            e.save_screenshot(quiz, args.screenshots, "quiz-by-ear.png")
            e.click(quiz, e.centre(e.name_label(0)))
            e.wait_for("the bird after the answer", lambda: e.bird_on_show(quiz), 3)
            e.wait_for("the next question", lambda: no_bird(quiz), 8)
            answer_by_ear(quiz, 2)
            answer_by_ear(quiz, 3)
            e.click(quiz, e.centre(e.QUIZ_TO_MENU))
            menu = e.wait_window(program, e.MENU_TITLE)
            e.click(menu, e.centre(e.MENU["quit"]))
            e.check(program.wait(10) == 0, "piyo did not end cleanly")
        asked, by_ear = answers_in(history)
        e.check(asked == 3, f"the history holds {asked} answers, not 3")
        e.check(by_ear == 3, f"{by_ear} of the answers are recorded as by ear, not 3")

        with e.Program(program_path) as program:
            menu = e.start(program)
            quiz = e.choose_from_menu(program, menu, "quiz", SEASON)
            e.check(e.by_ear_on(quiz), "声だけ was forgotten: the toggle reads □声だけ")
            time.sleep(2.5)
            e.check(no_bird(quiz), "声だけ was forgotten: a bird is on show before the answer")
            e.click(quiz, e.centre(e.RIGHT_COUNT))
            e.wait_for("the results view over the name board",
                       lambda: e.screenshot(quiz).share(NAME_BOARD, e.LIST_BLUE) > 0.2, 3)
            e.check(not weak_first_on(quiz), "苦手優先 is on at first")
            e.click(quiz, e.centre(WEAK_FIRST))
            e.wait_for("the top line to read ■苦手優先", lambda: weak_first_on(quiz), 3)
            e.save_screenshot(quiz, args.screenshots, "quiz-results.png")
            e.click(quiz, LOW_ON_THE_BOARD)
            e.wait_for("the results view to close",
                       lambda: e.screenshot(quiz).share(NAME_BOARD, e.LIST_BLUE) < 0.01, 3)
        settings = os.path.join(scratch, "piyo-home", "config", "piyo", "piyo.conf")
        with open(settings, encoding="utf-8") as conf:
            e.check("weakFirst=true" in conf.read(), "苦手優先 was not remembered in piyo.conf")
    e.log("by ear: ok")


if __name__ == "__main__":
    e.run(main)
