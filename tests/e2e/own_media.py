#!/usr/bin/env python3
"""A camera photograph and three recordings brought in with piyo-import go beside the bundled
files: ピヨ調べ（秋冬） shows each bird's own bundled picture and call first, and its 姿 and 声
labels step to the photograph, fitted in the picture panel, and to each recording in turn (two
of one bird, of different tones, both heard); the other birds keep the bundled media alone."""

import glob
import os
import shutil
import subprocess

import e2elib as e

SEASON = "autumn"
BOARD = e.BIRDS_ON_BOARD[SEASON]
GREY_PLOVER = BOARD.index(63)  # ダイゼン, also bird 22 in spring/summer
DUNLIN = BOARD.index(60)       # ハマシギ
KNOT = BOARD.index(49)         # オバシギ: nothing imported
PHOTO_COLOUR = (40, 200, 160)  # no test bird or UI colour is near it
MP3_TONE = 3600.0
FLAC_TONE = 4200.0
SECOND_FLAC_TONE = 2700.0
PICTURE_STEP = (86, 359, 65, 21)  # 姿 1/2
CALL_STEP = (155, 359, 61, 21)    # 声 1/2

def near(colour, expected, tolerance=14):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def make_own_media(directory):
    """What a birder has: a 4000 x 3000 JPEG and an MP3 named as a sound archive names it, and
    a FLAC named by the Japanese name with a suffix."""
    os.makedirs(directory)
    photo = os.path.join(directory, "ダイゼン 冬羽.jpg")
    subprocess.run(["convert", "-size", "4000x3000", f"xc:rgb{PHOTO_COLOUR}", "-quality", "92", photo], check=True)
    wav = os.path.join(directory, "tone.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", wav, "synth", "4", "sine", str(MP3_TONE), "vol", "0.5"],
                   check=True)
    subprocess.run(["lame", "--quiet", wav, os.path.join(directory, "XC123456 - Grey Plover - Pluvialis squatarola.mp3")],
                   check=True)
    os.remove(wav)
    subprocess.run(["sox", "-n", "-r", "48000", "-c", "1", os.path.join(directory, "ハマシギ_2.flac"),
                    "synth", "3", "sine", str(FLAC_TONE), "vol", "0.5"], check=True)
    subprocess.run(["sox", "-n", "-r", "48000", "-c", "1", os.path.join(directory, "ハマシギ 地鳴き.flac"),
                    "synth", "3", "sine", str(SECOND_FLAC_TONE), "vol", "0.5"], check=True)


def main():
    args = e.arguments()
    e.require_session()
    for tool in ("convert", "sox", "lame"):
        if not shutil.which(tool):
            e.log(f"{tool} is missing: skipped")
            raise SystemExit(e.SKIP)
    importer = os.path.join(os.path.dirname(os.path.realpath(args.program)), "piyo-import")
    with e.Scratch("own-media", args.workdir) as scratch, e.Recorder() as recorder:
        e.make_test_media(scratch, SEASON)
        own = os.path.join(scratch, "own")
        make_own_media(own)
        # The data home the program gets (see e2elib.Program).
        data_home = os.path.join(scratch, "piyo-home", "data")
        env = dict(os.environ, XDG_DATA_HOME=data_home)
        result = subprocess.run([importer, own], env=env, capture_output=True, text=True, timeout=60)
        e.log(result.stdout)
        e.check(result.returncode == 0, f"piyo-import failed ({result.returncode}): {result.stderr}")
        personal = os.path.join(data_home, "piyo")
        # Numbered after the further files bundled with the program piyo-import belongs to.
        for made, count in (("姿/b63-*.png", 1), ("声/k22-*.wav", 1), ("声/k63-*.wav", 1), ("声/k60-*.wav", 2)):
            e.check(len(glob.glob(os.path.join(personal, made))) == count, f"piyo-import made no {made}")
        for bundled_place in ("姿/b63.png", "声/k63.wav", "声/k60.wav"):
            e.check(not os.path.exists(os.path.join(personal, bundled_place)), f"{bundled_place} took the bundled place")
        e.check(not glob.glob(os.path.join(personal, "姿/b22*")),
                "the winter photograph went to the summer bird")

        recorder.wait_ready()
        with e.Program(e.install_program(args.program, scratch)) as program:
            menu = e.start(program)
            window = e.choose_from_menu(program, menu, "look_up", SEASON)
            x, y, w, h = e.PICTURE_PANEL

            clicked = recorder.position()
            e.click(window, e.centre(e.name_label(GREY_PLOVER)))
            e.wait_for("the bundled picture of bird 63 first", lambda: e.bird_on_show(window) == 63, 3)
            recorder.wait_tone(e.bird_tone(63), clicked, "the bundled call of bird 63 first")
            e.click(window, e.centre(PICTURE_STEP))
            # Kept at twice the size, shown at the design size once grown into place: 298 x 224,
            # centred in the panel.
            shot = e.wait_for("the imported photograph across the panel", lambda: near(
                (s := e.screenshot(window)).pixel(x + 4, y + h // 2), PHOTO_COLOUR) and s, 3)
            e.check(not near(shot.pixel(x + w // 2, y + 20), PHOTO_COLOUR),
                    "the photograph reaches the top of the panel: shown at twice its size")
            e.check(not near(shot.pixel(x + w + 20, y + h // 2), PHOTO_COLOUR),
                    "the photograph spills beyond the panel")
            e.save_screenshot(window, args.screenshots, "own-media.png")
            clicked = recorder.position()
            e.click(window, e.centre(CALL_STEP))
            recorder.wait_tone(MP3_TONE, clicked, "the imported MP3 call")

            clicked = recorder.position()
            e.click(window, e.centre(e.name_label(DUNLIN)))
            e.wait_for("the bundled picture of bird 60", lambda: e.bird_on_show(window) == 60, 3)
            recorder.wait_tone(e.bird_tone(60), clicked, "the bundled call of bird 60 first")
            heard = []
            for _ in range(2):
                clicked = recorder.position()
                e.click(window, e.centre(CALL_STEP))
                heard.append(e.wait_for("one of the imported FLAC calls", lambda: next(
                    (tone for tone in (FLAC_TONE, SECOND_FLAC_TONE) if len(recorder.heard(tone, clicked)) >= 3),
                    None), 3))
            e.check(sorted(heard) == sorted([FLAC_TONE, SECOND_FLAC_TONE]),
                    f"the two imported recordings of bird 60, each in turn: heard {heard}")

            clicked = recorder.position()
            e.click(window, e.centre(e.name_label(KNOT)))
            e.wait_for("the bundled picture of bird 49", lambda: e.bird_on_show(window) == 49, 3)
            recorder.wait_tone(e.bird_tone(49), clicked, "the bundled call of bird 49")


if __name__ == "__main__":
    e.run(main)
