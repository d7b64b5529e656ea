#!/usr/bin/env python3
"""A tone recording brought in with piyo-import, looked up on ピヨ調べ（秋冬） and turned over to
its spectrogram: a dark band at the tone's row, white an octave away, and a red cursor that
moves while the call repeats."""

import math
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "e2e"))
import e2elib as e  # noqa: E402

SEASON = "autumn"
BOARD = e.BIRDS_ON_BOARD[SEASON]
DUNLIN = BOARD.index(60)  # ハマシギ
TONE = 2000.0
PANEL_SWITCH = (15, 359, 67, 21)  # ■声紋 / ■絵, at the panel's foot
# The view over the panel (6, 34, 298, 304), less its margins for the axes: 24 left, 14 top,
# 8 right, 16 bottom at 100 %.
PLOT = (30, 48, 266, 274)
LOWEST_HZ, HIGHEST_HZ = 500.0, 12000.0


def row_of(hz):
    x, y, w, h = PLOT
    return y + int(h * math.log2(HIGHEST_HZ / hz) / math.log2(HIGHEST_HZ / LOWEST_HZ))


def grey(pixel):
    return sum(pixel) / 3


def band_across(shot, y, dark):
    x, _, w, _ = PLOT
    columns = range(x + w // 10, x + w - w // 10, 5)
    if dark:
        return sum(grey(shot.pixel(c, y)) < 90 for c in columns) > 0.8 * len(columns)
    return all(grey(shot.pixel(c, y)) > 240 for c in columns if shot.pixel(c, y) != e.RED)


def cursor_x(shot):
    x, y, w, h = PLOT
    for column in range(x, x + w):
        if shot.pixel(column, y + h // 3) == e.RED:
            return column
    return None


def main():
    args = e.arguments()
    e.require_session()
    if not shutil.which("sox"):
        e.log("sox is missing: skipped")
        raise SystemExit(e.SKIP)
    importer = os.path.join(os.path.dirname(os.path.realpath(args.program)), "piyo-import")
    with e.Scratch("spectrogram", args.workdir) as scratch, e.Recorder() as recorder:
        e.make_test_media(scratch, SEASON)
        own = os.path.join(scratch, "own")
        os.makedirs(own)
        subprocess.run(["sox", "-n", "-r", "48000", "-c", "1", os.path.join(own, "ハマシギ.flac"),
                        "synth", "3", "sine", str(TONE), "vol", "0.5"], check=True)
        data_home = os.path.join(scratch, "piyo-home", "data")
        env = dict(os.environ, XDG_DATA_HOME=data_home)
        # In the bundled call's place, so it is the one heard when the bird is clicked.
        result = subprocess.run([importer, "--replace", own], env=env, capture_output=True, text=True, timeout=60)
        e.check(result.returncode == 0, f"piyo-import failed ({result.returncode}): {result.stderr}")

        recorder.wait_ready()
        with e.Program(e.install_program(args.program, scratch)) as program:
            menu = e.start(program)
            window = e.choose_from_menu(program, menu, "look_up", SEASON)
            clicked = recorder.position()
            e.click(window, e.centre(e.name_label(DUNLIN)))
            e.wait_for("the switch beside 説明", lambda: e.label_shown(window, PANEL_SWITCH), 3)
            recorder.wait_tone(TONE, clicked, "the imported call")
            e.click(window, e.centre(PANEL_SWITCH))
            shot = e.wait_for("a dark band at the tone's row", lambda: band_across(
                s := e.screenshot(window), row_of(TONE), True) and s, 5)
            e.save_screenshot(window, args.screenshots, "spectrogram.png")
            e.check(band_across(shot, row_of(TONE * 2), False), "the octave above the tone is not white")
            e.check(band_across(shot, row_of(TONE / 2), False), "the octave below the tone is not white")
            first = cursor_x(shot)
            e.check(first is not None, "no cursor on the spectrogram while the call plays")
            e.wait_for("the cursor to move", lambda: cursor_x(e.screenshot(window)) not in (None, first), 3)

            e.click(window, e.centre(PANEL_SWITCH))
            e.wait_for("the picture back in the panel", lambda: e.bird_on_show(window) == 60, 3)


if __name__ == "__main__":
    e.run(main)
