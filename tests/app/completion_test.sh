#!/bin/bash
# SPDX-License-Identifier: MIT
# The bash completion of zaveze-embed offers its options, the --zone values and KML/KMZ files.
#   completion_test.sh COMPLETION_FILE
set -eu
shopt -s extglob
source "$1"
complete_words() {  # prints what completing the last of the words offers
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
    _zaveze_embed 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
expect() {
    if [ "$1" != "$2" ]; then echo "expected '$2', got '$1'"; exit 1; fi
}
expect "$(complete_words zaveze-embed --zo)" "--zone "
expect "$(complete_words zaveze-embed --no)" "--no-clobber "
expect "$(complete_words zaveze-embed --zone +1)" "+10 +10:30 +11 +12 +12:45 +13 +13:45 +14 "
folder=$(mktemp -d); trap 'rm -rf "$folder"' EXIT
touch "$folder/trip.kml" "$folder/tour.KMZ" "$folder/notes.txt"; mkdir "$folder/sub"
cd "$folder"
expect "$(complete_words zaveze-embed --begin 2007 t)" "tour.KMZ trip.kml "
expect "$(complete_words zaveze-embed s)" "sub "
echo "completion offers options, zones and KML/KMZ files"
