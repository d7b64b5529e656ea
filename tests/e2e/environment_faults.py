#!/usr/bin/env python3
"""The program copes with what a desktop may lack: a sound server, Japanese fonts, a display."""

import os
import subprocess

import e2elib as e

IPA_FAMILIES = ["IPAMincho", "IPAPMincho", "IPAGothic", "IPAPGothic"]


def no_sound_server(args, scratch):
    """Silent, but the menu, a quiz question and its answer work and quitting ends it."""
    e.make_test_media(scratch, "autumn")
    runtime = os.path.join(scratch, "runtime")
    os.makedirs(runtime, mode=0o700)
    config = os.path.join(scratch, "client.conf")
    with open(config, "w") as conf:
        conf.write("autospawn = no\n")
    env = {"PULSE_SERVER": f"unix:{scratch}/no-such-socket", "XDG_RUNTIME_DIR": runtime,
           "PULSE_CLIENTCONFIG": config}
    with e.Program(e.install_program(args.program, scratch), env=env) as program:
        menu = e.start(program)
        quiz = e.choose_from_menu(program, menu, "quiz", "autumn")
        bird = e.wait_for("a bird picture", lambda: e.bird_on_show(quiz), 6)
        e.click(quiz, e.centre(e.name_label(e.BIRDS_ON_BOARD["autumn"].index(bird))))
        e.wait_for("the right answer to be counted",
                   lambda: e.screenshot(quiz).colours(e.RIGHT_COUNT).get(e.YELLOW, 0) > 10, 3)
        e.click(quiz, e.centre(e.QUIZ_TO_MENU))
        menu = e.wait_window(program, e.MENU_TITLE)
        e.click(menu, e.centre(e.MENU["quit"]))
        status = program.wait(10)
        e.check(status == 0, f"piyo ended with status {status} without a sound server")
        said = [line for line in program.stderr().splitlines() if "no sound server" in line]
        e.check(len(said) == 1, f"expected one line saying there is no sound server, got {said!r}")
    e.log("no sound server: bird", bird, "shown and answered")


def no_japanese_font(args, scratch):
    """With the IPA fonts hidden from fontconfig the program starts and names its fallback."""
    config = os.path.join(scratch, "fonts.conf")
    patterns = "".join(f"<pattern><patelt name=\"family\"><string>{f}</string></patelt></pattern>"
                       for f in IPA_FAMILIES)
    with open(config, "w") as conf:
        conf.write(f"""<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <selectfont><rejectfont>
    <glob>/usr/share/fonts/opentype/ipafont*</glob>
    <glob>/usr/share/fonts/truetype/fonts-japanese-*</glob>
    {patterns}
  </rejectfont></selectfont>
</fontconfig>
""")
    with e.Program(args.program, env={"FONTCONFIG_FILE": config}, cwd=scratch) as program:
        menu = e.start(program)
        e.click(menu, e.centre(e.MENU["quit"]))
        status = program.wait(10)
        e.check(status == 0, f"piyo ended with status {status} without Japanese fonts")
        said = [line for line in program.stderr().splitlines() if "Japanese font" in line]
    e.check(said, "nothing on stderr says that a Japanese font is missing")
    e.check(all("is not installed" in line and "using " in line for line in said),
            f"the font message does not say what is used instead: {said}")
    e.log("no Japanese font:", said[0])


def no_display(args, scratch):
    """Without a display: a one-line message and a plain failure status, no crash."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    try:
        result = subprocess.run([args.program], env=env, cwd=scratch, capture_output=True, text=True,
                                timeout=10, stdin=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        raise e.Failure("piyo did not exit within 10 s without a display") from None
    lines = result.stderr.strip().splitlines()
    e.check(result.returncode > 0, f"exit status {result.returncode} without a display (a signal if negative)")
    e.check(len(lines) == 1 and "display" in lines[0].lower(),
            f"expected one line about the display on stderr, got: {result.stderr!r}")
    e.check(not [f for f in os.listdir(scratch) if f.startswith("core")], "piyo left a core dump")
    e.log("no display:", lines[0])


def main():
    args = e.arguments()
    e.require_session(sound=False)
    for fault in (no_sound_server, no_japanese_font, no_display):
        with e.Scratch(fault.__name__) as scratch:
            fault(args, scratch)


if __name__ == "__main__":
    e.run(main)
