#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built tavo-convert as a process: exit statuses and streams, a batch on standard input
# with a bad line in the middle, --version, JSON read back by Python, and the bash completion.
# Usage: tavo_convert_test.sh TAVO_CONVERT VERSION COMPLETION_FILE
set -uo pipefail
convert=$1 version=$2 completion=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
fail() { echo "FAIL: $*" >&2; status=1; }
# expect WHAT EXPECTED ACTUAL
expect() { [[ "$2" == "$3" ]] || fail "$1: expected [$2], got [$3]"; }

# run ARGS...: stdout, stderr and the exit status into $out, $err, $code.
run() {
    "$convert" "$@" >"$work/out" 2>"$work/err" <"${input:-/dev/null}"
    code=$?
    out=$(cat "$work/out") err=$(cat "$work/err")
}

# outcome STATUS STDOUT STDERR INPUT ARGS...: one command line and what it must give. STDOUT
# and STDERR are bash patterns for the whole stream without its last line end; INPUT is the
# file on standard input.
outcome() {
    local want=$1 want_out=$2 want_err=$3 input=$4
    shift 4
    run "$@"
    [[ $code == "$want" && $out == $want_out && $err == $want_err ]] ||
        fail "tavo-convert $*: status $code, stdout [${out:0:300}], stderr [${err:0:300}]"
}
# A batch: CR LF line ends, a bad line in the middle, a last line without LF; and a line of
# 1 MiB + 1 byte, which no reading converts.
printf '100\r\n1,000\r\nabc\r\n-5' >"$work/in"
{ head -c $((1024 * 1024 + 1)) /dev/zero | tr '\0' 7; printf '\n2\n'; } >"$work/long"

outcome 0 $'0\tメートル\t 1\n1\tヤード\t 1.094\n*' "" /dev/null Length
outcome 2 "" 'tavo-convert: "abc" is not a number' /dev/null Length 0 abc
outcome 2 "" '*4 ガロン(米) (gal,*' /dev/null Volume gallon-ish 1
outcome 0 "tavo-convert (度量衡変換) $version" "" /dev/null --version
outcome 2 $'91.44\n914.4\n\n-4.572' 'tavo-convert: line 3: "abc" is not a number' "$work/in" \
    --to m Length yard -
outcome 0 $'91.44\n914.4\n0\n-4.572' "" "$work/in" --lenient --to m Length yard -
outcome 2 $'\n1.829' 'tavo-convert: line 1: longer than 1048576 bytes' "$work/long" \
    --lenient --to m Length yard -
outcome 0 $'*\nliters\ncc\nml\n*' "" /dev/null --list-units Volume
# A TAB typed inside TEXT stays inside its cell; a value typed below the double range is lost.
outcome 0 $'*\n1\tヤード\t1 000\n*' "" /dev/null Length yard $'1\t000'
outcome 0 "範囲外" "" /dev/null --refresh --to yd Length yd 1e-400

if [[ -w /dev/full ]]; then
    "$convert" Length >/dev/full 2>"$work/err"
    expect "unwritable output status" 1 "$?"
    grep -q "could not write" "$work/err" || fail "unwritable output message: $(cat "$work/err")"
fi

# JSON, parsed by a real parser: one object a conversion, JSON Lines for a batch.
input=$work/in run --format json Length yard -
/usr/bin/python3 - "$work/out" <<'EOF' || fail "JSON output does not read back"
import json, sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
assert lines[-1] == "" and len(lines) == 5, lines
objects = [json.loads(line) for line in lines[:-1]]
assert objects[2] is None, objects[2]
first = objects[0]
assert first["quantity"] == "Length" and first["edited"] == 1 and first["display"] == "normal"
rows = first["rows"]
assert [row["row"] for row in rows] == list(range(9))
assert rows[0] == {"row": 0, "label": "メートル", "reading": "めーとる", "text": "91.44",
                   "value": 91.44}, rows[0]
assert rows[1]["text"] == "100" and rows[1]["value"] == 100
assert objects[3]["rows"][3]["value"] == -180
EOF

# Completion: options, quantities and unit names, all asked of the program.
complete_at() {  # complete_at CWORD WORD...: the words offered for word number CWORD
    local cword=$1
    shift
    PATH="$(dirname "$convert"):$PATH" bash -c '
        source "$1"; COMP_CWORD=$2; shift 2
        COMP_WORDS=("$@")
        _tavo_convert
        ((${#COMPREPLY[@]} == 0)) || printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$cword" "$@" | sort | tr '\n' ' '
}
expect "complete options" "--lenient " "$(complete_at 1 tavo-convert --l)"
expect "complete formats" "csv " "$(complete_at 2 tavo-convert --format c)"
expect "complete quantities" "Volume " "$(complete_at 2 tavo-convert --exp Vo)"
expect "complete units" "yard yards yd yds " "$(complete_at 2 tavo-convert Length y)"
expect "complete --to before the quantity" "l liter liters litre litres " \
    "$(complete_at 2 tavo-convert --to l Volume)"
expect "complete nothing after TEXT" "" "$(complete_at 4 tavo-convert Length m 1 '')"

exit $status
