#!/usr/bin/env bash
# Checks the manual pages: groff formats the sources (English and Japanese) without a single
# warning, man renders every page as installed without a warning (the program's English page
# on an ASCII terminal too, where no word may be lost), and the page of tavo-convert still
# matches the program: every option its --help names, and for every quantity exactly the rows
# the program prints, by row number and label.
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
for option in $("$convert" --help | grep -oE -- '(^|[[:space:]])--?[a-z-]*' | tr -d '[:blank:]' | sort -u); do
    grep -qxF -- "$option" <<<"$described" || fail "tavo-convert.1 does not describe $option under OPTIONS"
done

# The rows under the heading "QUANTITY (...)", squeezed to "ROW LABEL ..." lines.
rows_of() {
    awk -v heading="$1 (" '
        { indent = match($0, /[^ ]/) - 1 }   # headings stand at most 3 columns in
        indent >= 0 && indent <= 3 { inside = index($0, heading) == indent + 1; next }
        inside && $1 ~ /^[0-9]+$/ { $1 = $1; print }' <<<"$text"
}
for quantity in Length Weight Square Volume; do
    documented=$(rows_of "$quantity")
    [[ -n "$documented" ]] || { fail "tavo-convert.1 has no table for $quantity"; continue; }
    printed=0
    while IFS=$'\t' read -r row label _; do
        printed=$((printed + 1))
        label=${label#"${label%%[! ]*}"}  # the blanks before " cc"
        grep -qxF -- "$row $label" <(cut -d' ' -f1-$(($(wc -w <<<"$label") + 1)) <<<"$documented") ||
            fail "tavo-convert.1 does not list row $row '$label' of $quantity"
    done < <("$convert" "$quantity")
    listed=$(wc -l <<<"$documented")
    [[ "$listed" -eq "$printed" ]] ||
        fail "tavo-convert.1 lists $listed rows of $quantity, the program has $printed"
done
exit $status
