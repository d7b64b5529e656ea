#!/usr/bin/env bash
# Command 1: install what building and running need, build the program and its
# bundled media (not the tests), and start it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh program-and-media
build=${BUILD_DIR:-build}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac

# Qt and the sound server's client keep their sockets in the user's runtime
# folder. A shell without one (su, sudo, a container) gets the user's own when
# the system made one, and otherwise a private one for this run, rather than
# Qt's warning and a folder shared in /tmp.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  if [ -d "/run/user/$(id -u)" ] && [ -O "/run/user/$(id -u)" ]; then
    export XDG_RUNTIME_DIR=/run/user/$(id -u)
  else
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/piyo-runtime.XXXXXX)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
    "$build/piyo"
    exit
  fi
fi
exec "$build/piyo"
