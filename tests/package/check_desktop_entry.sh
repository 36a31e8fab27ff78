#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Validates a desktop entry with desktop-file-validate. Errors and warnings fail (the tool
# itself fails on errors only); hints are shown but pass.
# Usage: check_desktop_entry.sh FILE.desktop
set -euo pipefail
entry=$1

report=$(desktop-file-validate "$entry" 2>&1) || { echo "$report"; exit 1; }
[[ -n "$report" ]] && echo "$report"
if grep -E ': (error|warning): ' <<<"$report" >/dev/null; then
    echo "FAIL: $entry has errors or warnings" >&2
    exit 1
fi

# What the launcher needs from this entry, beyond what the format allows.
status=0
expect() {  # KEY VALUE: the entry's KEY must be exactly VALUE
    local value
    value=$(sed -n "s/^$1=//p" "$entry")
    if [[ "$value" != "$2" ]]; then
        echo "FAIL: $1 is '$value', expected '$2'" >&2
        status=1
    fi
}
expect Exec tavometr
expect Icon "$(basename "$entry" .desktop)"
expect Terminal false
expect Type Application
expect Categories 'Utility;Calculator;'
for key in 'Name\[en\]' Comment 'Comment\[ja\]' Keywords 'Keywords\[ja\]'; do
    grep -q "^$key=." "$entry" || { echo "FAIL: no ${key//\\/} in $entry" >&2; status=1; }
done
exit $status
