#!/usr/bin/env bash
# Inside a display: readies the Wine prefix, runs the program through the Wine runner (or, after
# --host, a command of this machine, such as a script that takes a screenshot), and ends the
# prefix's Wine server before the display goes, so that no Wine process outlives it and the next
# session starts with a desktop on its own display.
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?}"
"$here/wine-prefix.sh" || exit 125
# Wine draws the caption buttons with its Marlett font, which it finds here only in the
# prefix's own font folder.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi
if [ "${1:-}" = "--host" ]; then
  shift
  "$@"
else
  "$here/wine-run.sh" "$@"
fi
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
