#!/usr/bin/env bash
# Takes the README's screenshot: Zelmora.exe just started, under Wine in the virtual display of
# the GUI tests, cropped to its window. Needs the windows build and ImageMagick.
# Usage: tools/screenshot.sh [OUT.png]   (default docs/zelmora-start.png)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/zelmora-start.png}")
exe=$root/build/windows/bin/Zelmora.exe
[ -f "$exe" ] || { echo "screenshot.sh: build the windows preset first ($exe)" >&2; exit 1; }
cd "$root/build/windows"
"$root/cmake/gui-run.sh" --host bash -c '
  set -u
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  log=$(mktemp)
  wine "$0" >"$log" 2>&1 </dev/null &
  # The root window is black; the program is up once the screen shows a window-sized picture.
  for _ in $(seq 1 120); do
    sleep 1
    size=$(import -window root -trim -format "%w" info: 2>/dev/null || echo 0)
    [ "${size:-0}" -ge 300 ] && break
  done
  sleep 2  # let the first paint finish
  import -window root -trim +repage "$1"
  rm -f "$log"
' "$exe" "$out"
echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"
