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

# ---- make

fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}
pass() { passes=$((passes + 1)); }
size_of() { wc -c <"$1" | tr -d ' '; }

# Little-endian fields as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() { printf '%s%s' "$(le16 $(($1 & 65535)))" "$(le16 $((($1 >> 16) & 65535)))"; }
# An information header: width, height, biSizeImage; 8 bits, two colours used.
info_header() {
  printf '%s' "$(le32 40)$(le32 "$1")$(le32 "$2")$(le16 1)$(le16 8)$(le32 0)$(le32 "$3")"
  printf '%s' "$(le32 0)$(le32 0)$(le32 2)$(le32 0)"
}
# Entry 0 black, entry 1 pure white (transparent, and the background).
colour_table='\x00\x00\x00\x00\xff\xff\xff\x00'

# A 1x1 picture of one black pixel; stamped on a white 100x100 target it lands exactly at the
# offsets that the generator draws from its table for n = 100: 95, 0, 44, 81, 81, ... after
# the D steps that a seed D skips.
dot=$work/dot.bmp
printf "BM$(le32 66)$(le32 0)$(le32 62)$(info_header 1 1 4)$colour_table\\x00\\x00\\x00\\x00" >"$dot"

# want_dots NAME X,Y...: the 100x100 picture with a black pixel at each X,Y (Y counted in
# stored order), the rest white.
want_dots() {
  local file=$work/$1.want
  shift
  printf "BM$(le32 10062)$(le32 0)$(le32 62)$(info_header 100 100 4)$colour_table" >"$file"
  head -c 10000 /dev/zero | tr '\0' '\1' >>"$file"
  local dot
  for dot in "$@"; do
    printf '\x00' | dd of="$file" bs=1 seek=$((62 + ${dot#*,} * 100 + ${dot%,*})) conv=notrunc \
      status=none
  done
  echo "$file"
}

# make_known NAME WANT-FILE -- ARGS...: make exits 0, prints nothing and writes WANT-FILE's bytes.
make_known() {
  local name=$1 want=$2
  shift 3
  local out=$work/$name.bmp
  $run "$cli" make "$@" "$out" >"$work/out" 2>"$work/err"
  local have=$?
  if [ "$have" != 0 ] || [ -s "$work/out" ] || [ -s "$work/err" ]; then
    fail "$name: exit $have, stdout '$(cat "$work/out")', stderr '$(to_utf8 <"$work/err")'"
  elif ! cmp -s "$out" "$want"; then
    fail "$name: the made picture differs from the expected bytes ($(cmp "$out" "$want" 2>&1))"
  else
    pass
  fi
}

make_known dot-seed0 "$(want_dots seed0 95,0)" -- "$dot" --size 100x100 --stamps 1 --seed 0
make_known dot-seed3 "$(want_dots seed3 81,81)" -- "$dot" --size 100x100 --stamps 1 --seed 3
make_known dot-2stamps "$(want_dots two 95,0 44,81)" -- "$dot" --stamps 2 --size 100x100 --seed 0
make_known dot-0stamps "$(want_dots none)" -- "$dot" --size 100x100 --stamps 0 --seed 0
make_known dot-negative "$(want_dots negative)" -- "$dot" --size 100x100 --stamps -3 --seed 5

# Fixed seeds give fixed pictures, the same natively and under Wine: 4 bits at an odd width, 8
# bits with row padding, a 108-byte header, the bundled sample.
expect_hash() {
  local name=$1 want=$2
  shift 3
  local out=$work/$name.bmp
  $run "$cli" make "$@" "$out" >"$work/out" 2>"$work/err"
  local have=$?
  local hash
  hash=$(sha256sum <"$out" 2>/dev/null | cut -c1-64)
  if [ "$have" != 0 ] || [ "$hash" != "$want" ]; then
    fail "$name: exit $have, sha256 $hash; want exit 0, sha256 $want"
  else
    pass
  fi
}
expect_hash tulip d147cd6cfcf06599d16a1436c2afe80a4717e83185d4b185dd98cf9940a6c454 -- "$ZELMORA_SAMPLES/tulip.bmp" --size 200x150 --stamps 12 --seed 42
expect_hash pal4 174ae9e17c8c651271be324140ac23396c681486802ddd42759c25238cb639a7 -- "$suite/g/pal4.bmp" --size 133x71 --stamps 9 --seed 7
expect_hash pal8w125 a4d5d877e72dfafb3ef57aa56b1b1cbeb4f539520c805062567a95fe12539e6e -- "$suite/g/pal8w125.bmp" --size 131x67 --stamps 7 --seed 99
expect_hash pal8v4 6e4a0b2c37433c8650586d741aee3b6925db40c07740df78f3511e428b9ced63 -- "$suite/g/pal8v4.bmp" --seed 0 --stamps 5 --size 140x70

# The default size is the source's; a smaller one is raised to it.
for size in "" "--size 10x10" "--size 96x5"; do
  $run "$cli" make "$ZELMORA_SAMPLES/tulip.bmp" "$work/sized.bmp" $size --stamps 2 >/dev/null 2>&1
  expect "size-raised '$size'" 0 "96x80 16" "" -- info "$work/sized.bmp"
done
$run "$cli" make "$ZELMORA_SAMPLES/tulip.bmp" "$work/sized.bmp" --size 301x7 >/dev/null 2>&1
expect size-wider 0 "301x80 16" "" -- info "$work/sized.bmp"

# Without a seed the clock warms the generator up: the picture is the one of the seed that is
# the second's count mod 100.
before=$(date +%s)
$run "$cli" make "$dot" "$work/clock.bmp" --size 100x100 --stamps 3 >/dev/null 2>&1
after=$(date +%s)
matched=no
for ((second = before; second <= after; second++)); do
  $run "$cli" make "$dot" "$work/seeded.bmp" --size 100x100 --stamps 3 --seed $((second % 100)) \
    >/dev/null 2>&1
  cmp -s "$work/clock.bmp" "$work/seeded.bmp" && matched=yes
done
if [ "$matched" = yes ]; then pass; else fail "clock warm-up: no seed from $before to $after matches"; fi

# Over a longer file: exactly the new picture's length.
head -c 50000 /dev/zero >"$work/longer.bmp"
$run "$cli" make "$dot" "$work/longer.bmp" --size 100x100 --seed 0 --stamps 1 >/dev/null 2>&1
if cmp -s "$work/longer.bmp" "$work/seed0.want"; then pass; else
  fail "overwrite: have $(size_of "$work/longer.bmp") bytes, want 10062"
fi

# Refusals: exit 1 with the program's message on standard error, and no file.
expect make-os2 1 "" "ウインドウズのＢＭＰファイルではありません。" -- \
  make "$suite/g/pal8os2.bmp" "$work/refused.bmp"
expect make-rle 1 "" "ファイル形式が違います。" -- make "$suite/g/pal8rle.bmp" "$work/refused.bmp"
expect make-missing 1 "" "ファイル形式が違います。" -- make "$work/absent.bmp" "$work/refused.bmp"
[ -e "$work/refused.bmp" ] && fail "a refused make wrote its output" || pass
expect make-no-folder 1 "" "ファイルがオープンできません。" -- \
  make "$dot" "$work/no/such/folder.bmp" --seed 0

# Usage errors: exit 2 before anything is read or written.
for args in "make" "make $dot" "make $dot a.bmp b.bmp" "make $dot $work/u.bmp --size" \
  "make $dot $work/u.bmp --size 0x10" "make $dot $work/u.bmp --size 10x" \
  "make $dot $work/u.bmp --size 32768x10" "make $dot $work/u.bmp --size 10x32768" \
  "make $dot $work/u.bmp --size 10*10" "make $dot $work/u.bmp --size -5x10" \
  "make $dot $work/u.bmp --stamps 12a" "make $dot $work/u.bmp --stamps 2147483648" \
  "make $dot $work/u.bmp --stamps x" "make $dot $work/u.bmp --seed 100" \
  "make $dot $work/u.bmp --seed -1" "make $dot $work/u.bmp --seed 5x" \
  "make $dot $work/u.bmp --frobnicate 1"; do
  # shellcheck disable=SC2086
  expect "usage '$args'" 2 "" "usage:" -- $args
done
[ -e "$work/u.bmp" ] && fail "a usage error wrote its output" || pass

# Progress goes to a terminal only: one line, rewritten with carriage returns.
if [ -z "$run" ] && command -v script >/dev/null; then
  script -qec "'$cli' make '$ZELMORA_SAMPLES/tulip.bmp' '$work/progress.bmp' --stamps 3 --seed 1" \
    /dev/null >"$work/terminal" 2>&1
  if grep -q $'\rmaking   0%\rmaking  33%\rmaking  66%\rmaking done' "$work/terminal"; then pass; else
    fail "progress on a terminal: have '$(od -c "$work/terminal" | head -5)'"
  fi
fi

# make --wallpaper: the made picture becomes the wallpaper file, as the tile and centre commands
# do after a make.
expect make-wallpaper-tile 0 "" "" -- \
  make "$dot" "$work/made.bmp" --size 100x100 --stamps 2 --seed 0 --wallpaper tile
cmp -s "$wallpaper_file" "$work/made.bmp"
check make-wallpaper-writes-the-made-picture $? 0
check make-wallpaper-tiles "$(tile_setting)" "$tiled"
check make-wallpaper-installs "$(wallpaper_setting)" "$(as_wallpaper "$shown_file")"
expect make-wallpaper-centre 0 "" "" -- \
  make "$dot" "$work/made.bmp" --size 100x100 --stamps 1 --seed 3 --wallpaper centre
cmp -s "$wallpaper_file" "$work/seed3.want"
check make-wallpaper-centre-writes-the-new-picture $? 0
check make-wallpaper-centres "$(tile_setting)" "$centred"
expect make-wallpaper-bad-word 2 "" "usage:" -- make "$dot" "$work/u.bmp" --wallpaper middle

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
