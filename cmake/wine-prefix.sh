#!/usr/bin/env bash
# Makes sure $WINEPREFIX exists and is complete, creating it once (under a lock, since
# tests start in parallel), and keeps one wineserver running for it.
set -u
: "${WINEPREFIX:?}"
# The prefix takes its fonts and code page from the locale it is made in: always Japanese.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/user.reg" ] || [ ! -f "$WINEPREFIX/.zelmora-ready" ]; then
  # An interrupted creation leaves a prefix whose windows never appear: start afresh.
  wineserver -k >/dev/null 2>&1
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w >/dev/null 2>&1 </dev/null
  [ -f "$WINEPREFIX/user.reg" ] || { echo "wine prefix creation failed: $WINEPREFIX" >&2; exit 1; }
  touch "$WINEPREFIX/.zelmora-ready"
fi
# Settings of a prefix's own (ZELMORA_PREFIX_REG, a .reg file), imported again whenever they
# change.
if [ -n "${ZELMORA_PREFIX_REG:-}" ] && ! cmp -s "$ZELMORA_PREFIX_REG" "$WINEPREFIX/.zelmora-reg"; then
  wine regedit /S "$ZELMORA_PREFIX_REG" >/dev/null 2>&1 </dev/null
  timeout 120 wineserver -w >/dev/null 2>&1 </dev/null
  cp "$ZELMORA_PREFIX_REG" "$WINEPREFIX/.zelmora-reg"
fi
# A persistent server saves the start-up cost for every test program.
wineserver -p >/dev/null 2>&1 </dev/null 9>&- &
exit 0
