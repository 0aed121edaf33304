#!/bin/bash
# SPDX-License-Identifier: MIT
# zaveze-embed on a real exFAT file system (no unnamed files, no hard links, no renames that
# refuse to replace): new and automatic names, an existing output kept or replaced as asked, two
# runs racing onto one name, and signals midway, which leave nothing behind.
#   exfat_test.sh ZAVEZE_EMBED FOLDER   (FOLDER: where exfat_mount.sh mounted the file system)
set -u
ulimit -c 0  # SIGQUIT would leave a core file
embed=$1 mount=$2
mountpoint -q "$mount" || { echo "NOTICE: no exFAT file system at $mount: skipped"; exit 77; }
work="$mount/cli"
rm -rf "$work" && mkdir "$work"
local_tmp=$(mktemp -d)
trap 'rm -rf "$work" "$local_tmp"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_names() {  # the folder holds exactly these names
    local names
    names=$(cd "$work" && ls -A | tr '\n' ' ')
    [ "$names" = "$* " ] || fail "$case: the folder holds '$names', not '$* '"
}

printf '<kml>\r\n<Document>\r\n<name>trip</name>\r\n</Document>\r\n</kml>\r\n' > "$work/trip.kml"
"$embed" --begin 2007 "$work/trip.kml" - > "$local_tmp/expected.kml" || fail "no expected output"

case="a new name"
"$embed" -q --begin 2007 "$work/trip.kml" "$work/new.kml" || fail "$case: exit $?"
cmp -s "$work/new.kml" "$local_tmp/expected.kml" || fail "$case: wrong bytes"

case="an automatic name"
"$embed" -q --begin 2007 "$work/trip.kml" || fail "$case: exit $?"
cmp -s "$work/trip_2007_to_Present.kml" "$local_tmp/expected.kml" || fail "$case: wrong bytes"
expect_names new.kml trip.kml trip_2007_to_Present.kml

case="an existing output without consent"
printf 'keep me' > "$work/new.kml"
"$embed" --begin 2007 "$work/trip.kml" "$work/new.kml" 2> "$local_tmp/err"
[ $? = 1 ] || fail "$case: not refused"
[ "$(cat "$work/new.kml")" = "keep me" ] || fail "$case: the file was changed"
grep -q ": exists; use --force" "$local_tmp/err" || fail "$case: $(cat "$local_tmp/err")"

case="an existing output with --force"
"$embed" -q --force --begin 2007 "$work/trip.kml" "$work/new.kml" || fail "$case: exit $?"
cmp -s "$work/new.kml" "$local_tmp/expected.kml" || fail "$case: wrong bytes"
expect_names new.kml trip.kml trip_2007_to_Present.kml

case="the content on the disk before the name"
rm -f "$work/flushed.kml"
# LeakSanitizer, in sanitized builds, cannot work under strace.
ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e trace=fsync,fdatasync,rename,renameat,renameat2 -o "$local_tmp/calls" \
    "$embed" -q --begin 2007 "$work/trip.kml" "$work/flushed.kml" || fail "$case: exit $?"
calls=$(grep -oE '^[0-9]+ +(fsync|fdatasync|rename[a-z0-9]*)' "$local_tmp/calls" | awk '{ print $2 }' | tr '\n' ' ')
case "$calls" in
    *fsync*rename*fsync*) ;;
    *) fail "$case: the calls were '$calls'" ;;
esac
rm -f "$work/flushed.kml"

case="two runs racing onto one new name"
{ printf '<kml>\r\n<Document>\r\n'; yes '<Placemark><name>x</name></Placemark>' | head -c 30000000; printf '\r\n</Document>\r\n</kml>\r\n'; } > "$work/big.kml"
for round in 1 2 3; do
    rm -f "$work/raced.kml"
    "$embed" -q --begin 2007 "$work/big.kml" "$work/raced.kml" 2> "$local_tmp/err1" & first=$!
    "$embed" -q --begin 2007 "$work/big.kml" "$work/raced.kml" 2> "$local_tmp/err2" & second=$!
    wait $first; status1=$?
    wait $second; status2=$?
    [ "$((status1 + status2))" = 1 ] || fail "$case: exits $status1 and $status2, not 0 and 1"
    grep -qh ": exists; use --force" "$local_tmp/err1" "$local_tmp/err2" || fail "$case: $(cat "$local_tmp"/err?)"
    [ "$(stat -c %s "$work/raced.kml")" -gt 30000000 ] || fail "$case: the output is not whole"
    expect_names big.kml new.kml raced.kml trip.kml trip_2007_to_Present.kml
done
rm -f "$work/big.kml" "$work/raced.kml"

case="signals midway"
mkfifo "$local_tmp/fifo"
for signal in INT TERM HUP QUIT USR1 ALRM; do
    "$embed" --begin 2007 "$local_tmp/fifo" "$work/stopped.kml" 2>/dev/null & run=$!
    exec 3> "$local_tmp/fifo"
    printf '<kml>\r\n<Document>\r\n' >&3
    yes '<Placemark/>' | head -c 2000000 >&3
    for _ in $(seq 100); do [ -e "$work/stopped.tmp" ] && break; sleep 0.05; done
    [ -e "$work/stopped.tmp" ] || fail "$case: no scratch file seen"
    kill -"$signal" $run
    wait $run
    exec 3>&-
    expect_names new.kml trip.kml trip_2007_to_Present.kml
done

echo "$failures failed"
[ "$failures" = 0 ]
