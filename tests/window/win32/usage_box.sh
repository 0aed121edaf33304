#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# zaveze.exe started with two files and no console (as from Explorer or a shortcut): the usage
# error is shown in a message box, and the program ends with status 2 once it is closed.
# Usage: usage_box.sh ZAVEZE_EXE (inside an X display, wine ready)
set -euo pipefail
program=$1
wine "$program" a.kml b.kml </dev/null >&- 2>&- &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zaveze$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$box")"
[ "$WIDTH" -lt 600 ] || { echo "the main window opened instead of a message box" >&2; exit 1; }
sleep 0.5
xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
status=0
wait "$app" || status=$?
[ "$status" = 2 ] || { echo "zaveze.exe ended with $status, not 2" >&2; exit 1; }
echo "  zaveze.exe a.kml b.kml without a console: a message box, status 2"
