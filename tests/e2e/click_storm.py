#!/usr/bin/env python3
"""Random clicks over whatever screen is open, with the bundled media, in
three runs of 1,000 clicks with three seeds.

After each storm the program must still be running with exactly one window,
and a plain path menu -> quiz -> answer must work at the first click. Clicks
never land where the menu's "■終　　  了" label is, on any screen: a click of
a batch may bring the menu up in the middle of it.
Set PIYO_E2E_SEED to replay a run (it is the first of the three seeds).
"""

import os
import random
import time

import e2elib as e

CLICKS = 1000
RUNS = 3
BATCH = 100
CLICK_GAP_MS = 15  # xdotool would wait 100 ms after every click
CHECKER = {(252, 254, 4), (252, 254, 252)}  # the empty picture panel


def quit_area(menu_origin):
    """The menu's quit label in screen coordinates, with a margin."""
    x, y, w, h = e.MENU["quit"]
    return (menu_origin[0] + x - 4, menu_origin[1] + y - 4, w + 8, h + 8)


def inside(point, rect):
    x, y, w, h = rect
    return x <= point[0] < x + w and y <= point[1] < y + h


def the_window(program):
    """Exactly one window must be open (a switch may briefly show none)."""
    def found():
        e.check(program.alive(), f"piyo ended (status {program.process.returncode}) during the clicks")
        return e.open_window(program)
    return e.wait_for("exactly one piyo window", found, 5)


def storm(program, rng, avoid):
    done = 0
    while done < CLICKS:
        window, title = the_window(program)
        try:
            left, top, width, height = e.geometry(window)
        except e.Failure:
            continue  # closed by a click still queued from the last batch
        commands = []
        while len(commands) < 7 * min(BATCH, CLICKS - done):
            point = (left + rng.randrange(width), top + rng.randrange(height))
            if not inside(point, avoid):  # also when the menu appears in the middle of a batch
                commands += ["mousemove", *point, "click", "--delay", CLICK_GAP_MS, "1"]
        e.xdotool(*commands)
        done += len(commands) // 7
        e.log(f"{done} clicks, this batch begun on {title}")


def looks(program):
    """The open window, its title and what it shows, or None while it changes hands. On a
    look-up screen the picture panel is left out: a spectrogram turned up there by the clicks
    moves its cursor for as long as the call repeats."""
    window, title = the_window(program)
    try:
        shot = e.screenshot(window)
    except e.Failure:
        return None  # closed between finding it and taking the picture
    if title not in e.REFERENCE_TITLES.values():
        return window, title, shot.pixels
    x, y, w, h = e.PICTURE_PANEL
    rows = [shot.pixels[row * shot.width * 3:(row + 1) * shot.width * 3] for row in range(shot.height)]
    kept = [r if not y <= i < y + h else r[:x * 3] + r[(x + w) * 3:] for i, r in enumerate(rows)]
    return window, title, b"".join(bytes(r) for r in kept)


def settle(program):
    """Waits until the program has worked off the queued clicks: the same window, showing
    the same picture, for 1.5 s. (A busy machine may still hold clicks for the program
    after the same window has been up for a while: an answer changes the counts.)"""
    last, since = None, time.monotonic()
    deadline = since + 60
    while time.monotonic() < deadline:
        current = looks(program)
        if current is None or current != last:
            last, since = current, time.monotonic()
        elif time.monotonic() - since >= 1.5:
            return current[1]
        time.sleep(0.1)
    raise e.Failure("the program keeps changing its window 60 s after the last click")


def back_to_menu(program, scratch):
    window, title = the_window(program)
    if title != e.MENU_TITLE:
        link = e.QUIZ_TO_MENU if title in e.QUIZ_TITLES.values() else e.REFERENCE_TO_MENU
        e.save_screenshot(window, scratch, "before-menu-link.png")
        e.click(window, e.centre(link))
        try:
            window = e.wait_window(program, e.MENU_TITLE, 10)
        except e.Failure:
            found = e.open_window(program)
            if found:
                e.save_screenshot(found[0], scratch, "after-menu-link.png")
            raise
    main_level = e.screenshot(window).pixel(e.MENU["quiz"][0] + 3, e.MENU["quiz"][1] + 17) == e.RED
    if not main_level:
        e.click(window, e.centre(e.MENU["back"]))
        e.wait_for("the main level of the menu", lambda: e.label_shown(window, e.MENU["quiz"]), 5)
    return window


def picture_shown(quiz):
    x, y = e.centre(e.PICTURE_PANEL)
    colours = e.screenshot(quiz).colours((x - 20, y - 20, 40, 40))
    return sum(n for c, n in colours.items() if c not in CHECKER) > 800


def storm_and_walk(program_path, seed, workdir):
    e.log(f"seed {seed}")
    with e.Scratch("click-storm", workdir) as scratch, e.Recorder() as recorder, \
            e.Program(program_path, cwd=scratch) as program:
        menu = e.start(program)
        avoid = quit_area(e.geometry(menu)[:2])
        storm(program, random.Random(seed), avoid)
        title = settle(program)
        e.log(f"after the clicks: {title}")

        menu = back_to_menu(program, scratch)
        recorder.wait_ready()
        opened = recorder.position()
        quiz = e.choose_from_menu(program, menu, "quiz", "autumn")
        if e.by_ear_on(quiz):  # the storm left 声だけ on, and the setting is kept
            e.click(quiz, e.centre(e.BY_EAR))
            e.wait_for("声だけ off", lambda: not e.by_ear_on(quiz), 3)
        e.wait_for("a bird picture", lambda: picture_shown(quiz), 6)
        e.wait_for("a bird call", lambda: sum(1 for f in recorder.frames(opened) if f[1] > 300) >= 4, 10)
        e.click(quiz, e.centre(e.name_label(0)))
        e.wait_for("the answer to be counted",
                   lambda: sum((s := e.screenshot(quiz)).colours(r).get(e.YELLOW, 0)
                               for r in (e.RIGHT_COUNT, e.WRONG_COUNT)) > 10, 3)

        e.click(quiz, e.centre(e.QUIZ_TO_MENU))
        menu = e.wait_window(program, e.MENU_TITLE)
        e.click(menu, e.centre(e.MENU["quit"]))
        status = program.wait(10)
        e.check(status == 0, f"piyo ended with status {status}")


def main():
    args = e.arguments()
    e.require_session()
    media = os.path.join(os.path.dirname(os.path.realpath(args.program)), "姿")
    e.check(os.path.isdir(media), f"no bundled media beside the program ({media}): build the media first")
    first = int(os.environ.get("PIYO_E2E_SEED", time.time_ns() % 1_000_000))
    for run in range(RUNS):
        storm_and_walk(args.program, first + run, args.workdir)


if __name__ == "__main__":
    e.run(main)
