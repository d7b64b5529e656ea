#!/bin/sh
# Through its link, with no argument, the installed checker finds the installed
# media set, all of it usable.
# usage: installed-media-check.sh PACKAGE_ROOT
checker="$1/usr/bin/piyo-check-media"
if [ ! -e "$checker" ]; then
  echo "the package is not built yet: $checker is missing (packaging_build_deb builds it)" >&2
  exit 1
fi
exec "$checker"
