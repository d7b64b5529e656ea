#!/usr/bin/env bash
# lintian on the package: warnings are shown, errors (or lintian failing to run) fail.
# usage: lintian.sh OUT_DIR (where build-deb.sh put the package)
set -euo pipefail
status=0
report=$(lintian --fail-on error --tag-display-limit 0 "$1"/deb/piyo_*_amd64.deb 2>&1) || status=$?
echo "$report"
if [ "$status" -ne 0 ] || grep -q '^E: ' <<<"$report"; then
  echo "lintian reports errors (exit status $status)" >&2
  exit 1
fi
