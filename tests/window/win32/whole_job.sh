#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A whole job in the real zaveze.exe under wine, as a user does it with mouse and keyboard:
# `zaveze.exe trip.kml`, a year typed, month and day picked, a time of day typed and the zone
# +05:30 picked, "Auto Output File", "Embed Time Information", OK on "File ... created.". The
# output's bytes must be those of zaveze-embed with the same dates.
# Usage: whole_job.sh ZAVEZE_EXE LINUX_ZAVEZE_EMBED SAMPLE_KML (inside an X display, wine ready)
set -euo pipefail
program=$1 embed=$2 sample=$3
work=$(mktemp -d)
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$sample" "$work/trip.kml"

wine "$program" "Z:${work//\//\\}\\trip.kml" </dev/null >/dev/null 2>&1 &
app=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zaveze$' | head -n 1)
sleep 1
# The client area's origin inside the frame that wine draws: borders alike on three sides.
eval "$(xdotool getwindowgeometry --shell "$window")"
border=$(( (WIDTH - 1010) / 2 ))
left=$(( X + border )) top=$(( Y + HEIGHT - 442 - border ))
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.5; }
pick() { click "$1" "$2"; for _ in $(seq "$3"); do xdotool key Down; done; xdotool key Return; sleep 0.5; }

click 536 196; xdotool type --delay 60 1851; sleep 0.3   # the begin year
pick 586 196 6                                           # month 06
pick 634 196 2                                           # day 02
click 520 89                                             # Enable time settings
click 668 196                                            # the begin time's hours, then 15:45:12
xdotool type --delay 100 15; xdotool key Right; xdotool type --delay 100 45
xdotool key Right; xdotool type --delay 100 12; sleep 0.3
click 968 115; xdotool key Home                          # the zone list, from its first entry
for _ in $(seq 23); do xdotool key Down; done            # -12 ... +05, +05:30
xdotool key Return; sleep 0.5
click 58 152                                             # Auto Output File
click 407 152; sleep 2                                   # Embed Time Information
xdotool key Return; sleep 1                              # OK on "File ... created."

output="$work/trip_1851-06-02_to_Present.kml"
[ -f "$output" ] || { echo "no output: $(ls "$work")" >&2; exit 1; }
"$embed" --begin 1851-06-02 --time 15:45:12 --zone +05:30 "$work/trip.kml" "$work/expected.kml" >/dev/null
cmp "$output" "$work/expected.kml"
echo "zaveze.exe wrote $(basename "$output"), byte for byte as zaveze-embed"
