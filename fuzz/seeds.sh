#!/usr/bin/env bash
# Seed corpora for the fuzzers from a media directory (姿, 声, 説明): a handful
# of its files, plus small variants in the other encodings and sizes a user's
# own media set might use. Works from whatever is there; with no media at all
# it makes tiny seeds of its own.
# usage: seeds.sh MEDIA_DIR OUT_DIR
set -euo pipefail
media=$1
out=$2
rm -rf "$out"
mkdir -p "$out/description" "$out/wav" "$out/picture"

pick() { find "$1" -maxdepth 1 -name "$2" 2>/dev/null | sort | head -n "$3"; }

for f in $(pick "$media/説明" 's*.txt' 8); do cp "$f" "$out/description/"; done
printf 'line 1\r\nline 2\r\rline 4\nstill 4\r\n' >"$out/description/endings.txt"

# Calls are 100 KB or more: shortened, they leave the fuzzer room to mutate.
n=0
for f in $(pick "$media/声" 'k*.wav' 3) $(pick "$media/声" '[ox].wav' 2); do
  n=$((n + 1))
  if command -v sox >/dev/null; then
    sox "$f" -r 8000 -c 1 -b 16 "$out/wav/s16-$n.wav" trim 0 0.05
    for enc in "-b 8 -e unsigned" "-b 24 -e signed" "-b 32 -e floating-point" "-e mu-law" "-e a-law" \
               "-c 2 -b 16 -e signed"; do
      name=$(echo "$enc" | tr -dc 'a-z0-9')
      # shellcheck disable=SC2086
      sox "$f" -r 8000 $enc "$out/wav/$name-$n.wav" trim 0 0.02 2>/dev/null || true
    done
  else
    head -c 16384 "$f" >"$out/wav/head-$n.wav"
  fi
done
if [ "$n" = 0 ] && command -v sox >/dev/null; then
  sox -n -r 8000 -b 16 "$out/wav/tone.wav" synth 0.05 sine 440
fi
# The compressed formats a recorder or an archive gives: small, so each run is quick.
if command -v sox >/dev/null; then
  sox -n -r 8000 -b 16 "$out/wav/tone.flac" synth 0.05 sine 440 2>/dev/null || true
  sox -n -r 8000 "$out/wav/tone.ogg" synth 0.1 sine 440 2>/dev/null || true
fi

for f in $(pick "$media/姿" '*.gif' 5); do
  cp "$f" "$out/picture/"
  if command -v convert >/dev/null; then
    convert "$f" -resize 24x24 "$out/picture/small-$(basename "$f")" 2>/dev/null || true
    for format in png jpg webp; do
      convert "$f" -resize 16x16 "$out/picture/small-$(basename "$f" .gif).$format" 2>/dev/null || true
    done
  fi
done
if [ -z "$(ls "$out/picture")" ]; then
  # A 1 x 1 GIF.
  printf 'GIF89a\001\000\001\000\200\000\000\000\000\000\377\377\377,\000\000\000\000\001\000\001\000\000\002\002D\001\000;' \
    >"$out/picture/pixel.gif"
fi
echo "seeds: $(ls "$out/description" | wc -l) descriptions, $(ls "$out/wav" | wc -l) sounds," \
     "$(ls "$out/picture" | wc -l) pictures from $media"

# piyo-import's and piyo-check-media's: crafted files that lie about their size.
python3 "$(dirname "$0")/tool-seeds.py" "$out"
