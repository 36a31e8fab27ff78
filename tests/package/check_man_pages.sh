#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the manual pages: groff formats the sources (English and Japanese) without a single
# warning, man renders every page as installed without a warning (the program's English page
# on an ASCII terminal too, where no word may be lost), and the page of tavo-convert still
# matches the program: every option its --help names, and for every quantity exactly the rows
# the program prints, by row number and unit name, each with names that the program takes for
# that row.
# Usage: check_man_pages.sh TAVO_CONVERT MAN_FOLDER [INSTALLED_MAN_FOLDER]
set -euo pipefail
convert=$1 folder=$2 installed=${3:-}

status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# render PAGE [GROFF-OPTION...]; -k: UTF-8 input, -t: tables, -ww: every warning.
render() { local page=$1; shift; groff -k -t -man -Tutf8 -ww "$@" "$page"; }
for page in "$folder"/*.1 "$folder"/ja/*.1; do
    warnings=$(render "$page" -z 2>&1 >/dev/null)
    [[ -z "$warnings" ]] || fail "${page#"$folder"/}: $warnings"
done

# The compressed pages as installed (man1/, ja/man1/), read as man reads them.
if [[ -n "$installed" ]]; then
    pages=$(cd "$installed" && find . -name '*.1.gz' | sort)
    for section in man1 ja/man1; do
        grep -q "^\./$section/tavo-convert\.1\.gz$" <<<"$pages" || fail "no $section/tavo-convert.1.gz"
    done
    for page in $pages; do
        warnings=$(LANG=C.UTF-8 LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$installed/$page" 2>&1 >/dev/null)
        [[ -z "$warnings" ]] || fail "man ${page#./}: $warnings"
    done
    if [[ -f "$installed/man1/tavometr.1.gz" ]]; then
        warnings=$(LANG=C LC_ALL=C MANWIDTH=80 man --warnings -l "$installed/man1/tavometr.1.gz" 2>&1 >/dev/null)
        [[ -z "$warnings" ]] || fail "LANG=C man tavometr.1 loses words: $warnings"
    fi
fi

# Plain text, one long line per paragraph, without hyphenation or terminal escapes.
text=$(render "$folder/tavo-convert.1" -rLL=500n -rHY=0 -P-cbou 2>/dev/null)

# The options the OPTIONS section describes: the tags of its entries ("--help, -h").
described=$(awk '
    /^[^ ]/ { inside = $0 == "OPTIONS"; next }
    inside && match($0, /[^ ]/) == 8 {
        for (k = 1; k <= NF && $k ~ /^-/; ++k) { sub(/,$/, "", $k); print $k }
    }' <<<"$text")
# An option is one or two dashes and a letter: "-" alone (standard input as TEXT) is none.
for option in $("$convert" --help | grep -oE -- '(^|[[:space:]])--?[a-z][a-z-]*' | tr -d '[:blank:]' | sort -u); do
    grep -qxF -- "$option" <<<"$described" || fail "tavo-convert.1 does not describe $option under OPTIONS"
done

# The rows under the heading "QUANTITY (...)", squeezed to "ROW LABEL NAMES... SIZE UNIT" lines.
rows_of() {
    awk -v heading="$1 (" '
        { indent = match($0, /[^ ]/) - 1 }   # headings stand at most 3 columns in
        indent >= 0 && indent <= 3 { inside = index($0, heading) == indent + 1; next }
        inside && $1 ~ /^[0-9]+$/ { $1 = $1; print }' <<<"$text"
}
# The row the program edits when told to type into the row called NAME: the one line of
# its table that shows the typed "1" as it is (computed texts start with a blank or sign).
row_named() {
    "$convert" "$1" "$2" 1 2>/dev/null | awk -F'\t' '$3 == "1" { print $1 }'
}
for quantity in Length Weight Square Volume; do
    documented=$(rows_of "$quantity")
    [[ -n "$documented" ]] || { fail "tavo-convert.1 has no table for $quantity"; continue; }
    printed=0
    # The unit names as the program gives them: the label column of its CSV output.
    while IFS=, read -r row label _; do
        printed=$((printed + 1))
        line=$(grep -E "^$row " <<<"$documented" || true)
        [[ "$line" == "$row $label "* ]] ||
            { fail "tavo-convert.1 does not list row $row '$label' of $quantity"; continue; }
        # The words between the label and the size ("1 m") are the row's other names.
        read -r -a words <<<"${line#"$row $label "}"
        for ((k = 0; k + 2 < ${#words[@]}; ++k)); do
            name=${words[k]%,}
            [[ "$(row_named "$quantity" "$name")" == "$row" ]] ||
                fail "tavo-convert.1 names row $row of $quantity '$name', which the program does not take for it"
        done
    done < <("$convert" --format csv "$quantity" | tr -d '\r' | tail -n +2)
    listed=$(wc -l <<<"$documented")
    [[ "$listed" -eq "$printed" ]] ||
        fail "tavo-convert.1 lists $listed rows of $quantity, the program has $printed"
done
exit $status
