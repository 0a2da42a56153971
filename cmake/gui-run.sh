#!/usr/bin/env bash
# Runs a Windows program that opens windows (the GUI test driver and the program it starts)
# under Wine inside a virtual X display of its own, 1280 x 1024 at 24 bits, in a Wine prefix
# kept for GUI runs (build/.../wineprefix-gui, with the settings of gui-prefix.reg). With --host
# first, the rest is a command of this machine run in that display (see gui-session.sh).
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$PWD
while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
build=$PWD
[ -f "$dir/CMakeCache.txt" ] && build=$dir
export WINEPREFIX=${ZELMORA_GUI_PREFIX:-$build/wineprefix-gui}
export ZELMORA_PREFIX_REG=$here/gui-prefix.reg

command -v xvfb-run >/dev/null || { echo "gui-run.sh: xvfb-run is missing" >&2; exit 125; }
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/gui-session.sh" "$@"
