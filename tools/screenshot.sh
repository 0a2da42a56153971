#!/usr/bin/env bash
# Takes the README's screenshots under Wine in the virtual display of the GUI tests, cropped to
# the program's window. Needs the windows build and ImageMagick.
#   start: Zelmora.exe just started (default docs/zelmora-start.png)
#   made:  the tulip sample made into a 320 x 240 wallpaper, driven by the GUI test program
#          (default docs/zelmora-made.png)
# Usage: tools/screenshot.sh [start|made] [OUT.png]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
mode=start
case "${1:-}" in start | made) mode=$1; shift ;; esac
out=$(realpath -m "${1:-$root/docs/zelmora-$mode.png}")
exe=$root/build/windows/bin/Zelmora.exe
driver=$root/build/windows/bin/gui_test.exe
[ -f "$exe" ] || { echo "screenshot.sh: build the windows preset first ($exe)" >&2; exit 1; }
cd "$root/build/windows"
"$root/cmake/gui-run.sh" --host bash -c '
  set -u
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  mode=$0 exe=$1 driver=$2 out=$3
  log=$(mktemp)
  if [ "$mode" = made ]; then
    # The driver makes the picture, then leaves the marker and waits until it is taken away.
    marker=$(mktemp -u /tmp/zelmora-shot.XXXXXX)
    export ZELMORA_SCREENSHOT_MARKER="Z:$marker"
    wine "$driver" --gtest_also_run_disabled_tests \
      --gtest_filter="*DISABLED_MadeTulipWallpaperForTheScreenshot" >"$log" 2>&1 </dev/null &
    for _ in $(seq 1 180); do sleep 1; [ -f "$marker" ] && break; done
    [ -f "$marker" ] || { cat "$log" >&2; echo "screenshot.sh: no made picture" >&2; exit 1; }
  else
    wine "$exe" >"$log" 2>&1 </dev/null &
    # The root window is black; the program is up once the screen shows a window-sized picture.
    for _ in $(seq 1 120); do
      sleep 1
      size=$(import -window root -trim -format "%w" info: 2>/dev/null || echo 0)
      [ "${size:-0}" -ge 300 ] && break
    done
    sleep 2  # let the first paint finish
  fi
  import -window root -trim +repage "$out"
  [ "$mode" = made ] && rm -f "$marker" && sleep 2
  rm -f "$log"
' "$mode" "$exe" "$driver" "$out"
echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"
