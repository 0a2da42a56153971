#!/usr/bin/env bash
# zelmora-cli as a user runs it: exit codes, output lines and the refusal messages.
# Usage: cli_test.sh PATH-TO-zelmora-cli; ZELMORA_RUN names the Wine runner for the .exe.
set -u
cli=$1
run=${ZELMORA_RUN:-}
suite=$ZELMORA_BMPSUITE
failures=0 passes=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The Windows program speaks code page 932; compare in UTF-8.
to_utf8() { if [ -n "$run" ]; then iconv -f CP932 -t UTF-8; else cat; fi; }

# expect NAME WANT-CODE WANT-STDOUT WANT-STDERR-SUBSTRING -- ARGS...
expect() {
  local name=$1 code=$2 out=$3 err=$4
  shift 5
  $run "$cli" "$@" >"$work/out" 2>"$work/err"
  local have=$?
  local stdout stderr
  stdout=$(to_utf8 <"$work/out" | tr -d '\r')
  stderr=$(to_utf8 <"$work/err" | tr -d '\r')
  if [ "$have" != "$code" ] || [ "$stdout" != "$out" ] || [[ "$stderr" != *"$err"* ]]; then
    echo "FAIL $name: have exit $have, stdout '$stdout', stderr '$stderr'; want exit $code, stdout '$out', stderr containing '$err'"
    failures=$((failures + 1))
  else
    passes=$((passes + 1))
  fi
}

expect info-pal8 0 "127x64 256" "" -- info "$suite/g/pal8.bmp"
expect info-pal4 0 "127x64 16" "" -- info "$suite/g/pal4.bmp"
expect info-v5 0 "127x64 256" "" -- info "$suite/g/pal8v5.bmp"
expect info-os2 1 "" "ウインドウズのＢＭＰファイルではありません。" -- info "$suite/g/pal8os2.bmp"
expect info-rle 1 "" "ファイル形式が違います。" -- info "$suite/g/pal8rle.bmp"
expect info-topdown 1 "" "ファイル形式が違います。" -- info "$suite/g/pal8topdown.bmp"
expect info-rgb24 1 "" "ファイル形式が違います。" -- info "$suite/g/rgb24.bmp"
expect info-missing 1 "" "ファイル形式が違います。" -- info "$work/absent.bmp"
expect no-command 2 "" "usage:" --
expect unknown-command 2 "" "usage:" -- frobnicate
expect info-no-file 2 "" "usage:" -- info
expect info-two-files 2 "" "usage:" -- info a.bmp b.bmp

# check NAME HAVE WANT
check() {
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: have '$2', want '$3'"
    failures=$((failures + 1))
  else
    passes=$((passes + 1))
  fi
}

# The wallpaper commands. The desktop settings are read back through the system's own tools:
# `reg query` under Wine (in the build's own prefix), `gsettings get` natively.
samples=$ZELMORA_SAMPLES
if [ -z "$run" ]; then
  # A home of this run's own: the wallpaper file and a private settings store.
  export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
  export GSETTINGS_BACKEND=keyfile
  windows=$XDG_DATA_HOME/zelmora
  shown_file=$windows/ZELMORA.BMP
  here_picked=$work/picked.bmp
  tiled="'wallpaper'" centred="'centered'"
  # A folder can be opened for reading but not for writing: refused before anything is written.
  cannot_replace="ファイルがオープンできません。"
  setting() { gsettings get org.gnome.desktop.background "$1" 2>&1; }
  tile_setting() { setting picture-options; }
  wallpaper_setting() { setting picture-uri; }
  as_wallpaper() {
    case $1 in
      "(なし)") echo "''" ;;
      /*) echo "'file://$1'" ;;
      *) echo "'file://$windows/$1'" ;;
    esac
  }
else
  windows=$WINEPREFIX/drive_c/windows
  shown_file='C:\windows\ZELMORA.BMP'
  here_picked="Z:$(printf '%s' "$work" | tr / '\\')\\picked.bmp"
  tiled=1 centred=0
  # Windows opens no folder as a file: the new file is written, then cannot take its place.
  cannot_replace="ファイルに書き込めませんでした。"
  reg_value() {
    $run reg query 'HKCU\Control Panel\Desktop' /v "$1" 2>/dev/null | to_utf8 | tr -d '\r' |
      sed -n "s/^ *$1 *REG_SZ *//p"
  }
  tile_setting() { reg_value TileWallpaper; }
  wallpaper_setting() { reg_value Wallpaper; }
  as_wallpaper() { echo "$1"; }
fi
wallpaper_file=$windows/ZELMORA.BMP
rm -rf "$wallpaper_file"

expect wallpaper-export 0 "$shown_file" "" -- wallpaper export "$samples/tulip.bmp" tile
cmp -s "$wallpaper_file" "$samples/tulip.bmp"
check export-writes-the-source $? 0
check export-tiles "$(tile_setting)" "$tiled"
check export-installs-the-file "$(wallpaper_setting)" "$(as_wallpaper "$shown_file")"

expect wallpaper-recall 0 "" "" -- wallpaper recall centre
cmp -s "$wallpaper_file" "$samples/tulip.bmp"
check recall-keeps-the-file $? 0
check recall-centres "$(tile_setting)" "$centred"
check recall-installs-the-bare-name "$(wallpaper_setting)" "$(as_wallpaper ZELMORA.BMP)"

expect wallpaper-clear 0 "" "" -- wallpaper clear
check clear-keeps-the-tile-setting "$(tile_setting)" "$centred"
check clear-installs-none "$(wallpaper_setting)" "$(as_wallpaper "(なし)")"

# A relative name is handed on with the current folder, as the file dialog hands on a full path.
printf 'not looked at' >"$work/picked.bmp"
pushd "$work" >/dev/null
expect wallpaper-install 0 "" "" -- wallpaper install picked.bmp tile
popd >/dev/null
check install-tiles "$(tile_setting)" "$tiled"
check install-installs-the-file "$(wallpaper_setting)" "$(as_wallpaper "$here_picked")"

# Refused before anything is written or stored.
expect wallpaper-export-not-bmp 1 "" "ファイル形式が違います。" -- wallpaper export "$work/picked.bmp" centre
cmp -s "$wallpaper_file" "$samples/tulip.bmp"
check refused-export-keeps-the-file $? 0
check refused-export-keeps-the-tile-setting "$(tile_setting)" "$tiled"

# A wallpaper file that cannot be replaced (a folder stands in its place): the failure is told
# and the exit code says so, but the tile setting and the wallpaper are still stored.
rm -f "$wallpaper_file"
mkdir "$wallpaper_file"
expect wallpaper-export-cannot-write 1 "" "$cannot_replace" -- \
  wallpaper export "$samples/tulip.bmp" centre
check failed-export-still-centres "$(tile_setting)" "$centred"
check failed-export-still-installs "$(wallpaper_setting)" "$(as_wallpaper "$shown_file")"
check failed-export-leaves-no-part-file "$(ls "$windows" | grep -ci '^zelmora\.bmp\.')" 0
rmdir "$wallpaper_file"

if [ -z "$run" ]; then
  # Without the desktop's settings schema the desktop calls do nothing and say nothing.
  mkdir -p "$work/no-schemas"
  XDG_DATA_DIRS=$work/no-schemas XDG_CONFIG_HOME=$work/config-none \
    $run "$cli" wallpaper recall tile >"$work/out" 2>"$work/err"
  check no-schema-exit $? 0
  check no-schema-says-nothing "$(cat "$work/out" "$work/err")" ""
  check no-schema-stores-nothing "$(ls -A "$work/config-none" 2>/dev/null)" ""
fi

expect wallpaper-no-action 2 "" "usage:" -- wallpaper
expect wallpaper-unknown-action 2 "" "usage:" -- wallpaper frobnicate
expect wallpaper-recall-no-tile 2 "" "usage:" -- wallpaper recall
expect wallpaper-recall-bad-tile 2 "" "usage:" -- wallpaper recall center
expect wallpaper-clear-extra 2 "" "usage:" -- wallpaper clear tile
expect wallpaper-install-no-tile 2 "" "usage:" -- wallpaper install picked.bmp
expect wallpaper-export-no-tile 2 "" "usage:" -- wallpaper export "$samples/tulip.bmp"
expect wallpaper-export-no-file 2 "" "usage:" -- wallpaper export tile

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
