#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix, with the Japanese
# ANSI code page. Output goes through files: wineserver outlives the program and would
# hold a pipe open.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${ZELMORA_WINE_BUILD:-$PWD}
# Find the build tree (the folder that holds CMakeCache.txt) above the current folder.
dir=$PWD
while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ -f "$dir/CMakeCache.txt" ] && build=$dir

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

"$here/wine-prefix.sh" || exit 125

out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"
cat "$err" >&2
exit $rc
