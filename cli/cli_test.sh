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

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
