#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program with each command line below, without any display (no DISPLAY, no
# WAYLAND_DISPLAY, no Wayland socket), and checks how it ends: --help and --version answer
# and exit 0, a wrong command line exits 2, no display exits 1 with one line on stderr and
# without Qt's abort, and a platform that needs no display still runs (still running after
# 3 s, where it is stopped: status 124).
# Usage: check_command_line.sh TAVOMETR VERSION
set -uo pipefail
program=$1 version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# expect STATUS STDOUT-PATTERN STDERR-PATTERN QT_QPA_PLATFORM ARGUMENT...
# The patterns are extended regular expressions; "" expects the stream to be empty, "*"
# takes anything.
expect() {
    local want=$1 out_pattern=$2 err_pattern=$3 platform=$4
    shift 4
    env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work" LANG=C.UTF-8 \
        ${platform:+QT_QPA_PLATFORM="$platform"} \
        timeout -s TERM 3 "$program" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    local case="'${platform:+QT_QPA_PLATFORM=$platform }tavometr $*'"
    [[ $got -eq $want ]] || fail "$case exited with $got, not $want; stderr: $(cat "$work/err")"
    for stream in out err; do
        local pattern=$out_pattern
        [[ $stream == err ]] && pattern=$err_pattern
        if [[ "$pattern" == "*" ]]; then
            continue
        elif [[ -z "$pattern" ]]; then
            [[ ! -s "$work/$stream" ]] || fail "$case wrote to std$stream: $(head -c 300 "$work/$stream")"
        elif ! grep -Eq -- "$pattern" "$work/$stream"; then
            fail "$case: std$stream lacks /$pattern/: $(head -c 300 "$work/$stream")"
        fi
    done
    if [[ $want -eq 1 ]]; then
        [[ $(wc -l <"$work/err") -eq 1 ]] || fail "$case: not one line on stderr: $(cat "$work/err")"
    fi
}

no_display='ディスプレイ.*no display'
misuse='^tavometr: .*(unknown option|unexpected argument|needs a value)'

expect 0 "^tavometr $version\$" "" "" --version
expect 0 "^tavometr $version\$" "" "" -style Fusion -v
expect 0 '^Usage: tavometr .*' "" "" --help
expect 0 '-platform NAME' "" xcb -h
expect 1 "" "$no_display" "" 
expect 1 "" "$no_display" xcb
expect 1 "" "$no_display" wayland
expect 1 "" "$no_display" "wayland;xcb" -style Fusion
expect 2 "" "$misuse" "" --frobnicate
expect 2 "" "$misuse" "" extra
expect 2 "" "$misuse" "" -platform
# Platforms that need no display: the program starts and keeps running. Qt says on stderr
# that Wayland failed before it falls back, and the minimal platform has no fonts at all.
expect 124 "" "" offscreen
expect 124 "" "" "" -platform offscreen
# Qt reads "=" only as the program hands it on.
expect 124 "" "" "" -platform=offscreen
expect 124 "" "" "" --platform=offscreen
expect 124 "" "*" "wayland;offscreen"
expect 124 "" "*" "" -platform minimal
exit $status
