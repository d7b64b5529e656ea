#!/usr/bin/env bash
# Builds the Debian package from the build tree and unpacks it into OUT/root, as dpkg would
# lay it out on a user's system (without running any maintainer scripts).
# usage: build-deb.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1 out=$2
rm -rf "$out/deb" "$out/root"
mkdir -p "$out/deb"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out/deb"
debs=("$out"/deb/piyo_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one piyo_<version>_amd64.deb" >&2; exit 1; }
dpkg-deb --info "${debs[0]}"
dpkg-deb --contents "${debs[0]}"
dpkg -x "${debs[0]}" "$out/root"
