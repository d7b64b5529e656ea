#!/bin/sh
# Runs a test command with a home and XDG folders of its own (settings, data,
# cache, state, runtime), made empty for each run and kept afterwards for a
# look after a failure: whatever the test starts neither reads the user's
# settings and media nor writes into the user's home.
# usage: with-own-home.sh DIR COMMAND [ARGUMENTS...]
set -e
dir=$1
shift
rm -rf "$dir"
mkdir -p "$dir/home" "$dir/config" "$dir/data" "$dir/cache" "$dir/state" "$dir/runtime"
chmod 700 "$dir/runtime"
HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_CACHE_HOME=$dir/cache \
  XDG_STATE_HOME=$dir/state XDG_RUNTIME_DIR=$dir/runtime
export HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR
exec "$@"
