#!/usr/bin/env bash
# Installs the Debian 12 packages piyo needs.
#   scripts/install-deps.sh run    what building and running the program need
#   scripts/install-deps.sh        that, and what the tests, fuzzers and packaging need
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev libgif-dev libsndfile1-dev
  libxkbcommon-dev libqt6sql6-sqlite qt6-svg-dev
  # build: piyo-import resamples recordings
  libsamplerate0-dev
  # build: piyo-import brings recordings to one loudness (EBU R128)
  libebur128-dev
  # build: the spectrograms of the calls, in the program and in the call sheet
  libkissfft-dev
  # run: Japanese fonts (sound goes to PulseAudio through Qt Multimedia's QAudioSink, which
  # loads no media backend: no GStreamer plugins are needed)
  fonts-ipafont
  # run: WebP and other picture formats beyond Qt's built-in GIF, JPEG and PNG
  qt6-image-formats-plugins
)
test_packages=(
  # test: a virtual display and sound server, and tools to drive and record them
  python3 xvfb xauth x11-utils xdotool pulseaudio pulseaudio-utils imagemagick sox strace libx11-dev
  # test: a small window manager, for the window's frame and size hints
  openbox
  # test: a private accessibility bus and a client that reads the program's tree from it
  at-spi2-core python3-pyatspi dbus-x11
  # test: encoders for the MP3 and Opus calls the tests make
  lame opus-tools
  # fuzzing and packaging
  clang libclang-rt-14-dev dpkg-dev fakeroot lintian desktop-file-utils appstream
  # the habits CI enforces: formatting and static analysis
  clang-format clang-tidy
)
if [ "${1:-all}" != run ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
