#!/bin/sh
# SPDX-License-Identifier: MIT
# Whether a program's --help and its manual page list the same options.
#   options_match.sh PROGRAM PAGE
set -eu
program=$1 page=$2
from_help=$("$program" --help | grep -E '^ +-' | grep -oE -- '(^| )--?[a-zA-Z][a-zA-Z-]*' | tr -d ' ' | sort -u)
from_page=$(awk '/^\.SH OPTIONS/ { inside = 1; next } /^\.SH/ { inside = 0 }
                 inside && previous == ".TP" { print } { previous = $0 }' "$page" |
            sed 's/\\-/-/g; s/\\f[BIR]//g' | grep -oE -- '(^| )--?[a-zA-Z][a-zA-Z-]*' | tr -d ' ' | sort -u)
if [ "$from_help" != "$from_page" ]; then
    echo "--help:"; echo "$from_help"; echo "manual page:"; echo "$from_page"
    exit 1
fi
echo "$from_help" | tr '\n' ' '; echo
