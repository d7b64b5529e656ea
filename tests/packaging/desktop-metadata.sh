#!/usr/bin/env bash
# The desktop entry and the AppStream data as installed, checked by the tools desktops and
# software centres use; and an icon of each size where the entry's Icon= will be looked up.
# usage: desktop-metadata.sh ROOT
set -euo pipefail
root=$1
desktop-file-validate "$root/usr/share/applications/piyo.desktop"
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}"
for size in 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/piyo.png
  # The PNG header's width and height, big-endian 32-bit, at bytes 16 to 23.
  read -r -a header < <(od -An -tu1 -j16 -N8 "$icon")
  width=$(( (header[2] << 8) | header[3] )) height=$(( (header[6] << 8) | header[7] ))
  if [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
    echo "$icon is ${width}x$height, not $size px" >&2
    exit 1
  fi
done
# The scalable icon: well-formed SVG, drawn in a square.
python3 - "$root/usr/share/icons/hicolor/scalable/apps/piyo.svg" <<'PY'
import sys, xml.etree.ElementTree as tree
svg = tree.parse(sys.argv[1]).getroot()
box = svg.get("viewBox", "").split()
if not svg.tag.endswith("svg") or len(box) != 4 or box[2] != box[3]:
    sys.exit(f"{sys.argv[1]} is not a square SVG drawing (viewBox {box})")
PY
