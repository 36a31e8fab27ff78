#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program with each command line below, without any display (no DISPLAY, no
# WAYLAND_DISPLAY, no Wayland socket), and checks how it ends: --help and --version answer
# and exit 0, a wrong command line exits 2, no display exits 1 with one line on stderr and
# without Qt's abort, and a platform that needs no display, or a display the command line
# names or Wayland's default socket, still runs (still running after 3 s, where it is
# stopped: status 124). A private Xvfb and weston stand for those displays; the cases run
# side by side, each in a folder of its own.
# Usage: check_command_line.sh TAVOMETR VERSION
set -uo pipefail
program=$1 version=$2

work=$(mktemp -d) top=$work
servers=() cases=()
trap 'kill "${servers[@]}"; wait "${servers[@]}"; rm -rf "$top"' EXIT
fail() { echo "FAIL: $*" >&2; touch "$top/failed"; }

mkdir -m 700 "$work/wayland"
Xvfb -displayfd 3 -nolisten tcp 3>"$work/display" 2>/dev/null &
servers+=($!)
XDG_RUNTIME_DIR=$work/wayland weston --backend=headless-backend.so --socket=wayland-0 \
    --idle-time=0 --no-config >/dev/null 2>&1 &
servers+=($!)
ready() { [[ -s $work/display && -S $work/wayland/wayland-0 ]]; }
for _ in $(seq 200); do ready && break; sleep 0.05; done
ready || fail "Xvfb or weston did not start"

# expect STATUS STDOUT-PATTERN STDERR-PATTERN QT_QPA_PLATFORM ARGUMENT...
# The patterns are extended regular expressions; "" expects the stream to be empty, "*"
# takes anything. XDG_RUNTIME_DIR is $work unless $runtime names another folder.
check() {
    local want=$1 out_pattern=$2 err_pattern=$3 platform=$4
    shift 4
    # A case that ends by itself has a minute, as a guard against hangs: the cases start at
    # once, and on a busy machine (or under the sanitizers) one may take seconds to start.
    local limit=60
    [[ $want -eq 124 ]] && limit=3
    env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="${runtime:-$work}" LANG=C.UTF-8 \
        ${platform:+QT_QPA_PLATFORM="$platform"} \
        timeout -s TERM "$limit" "$program" "$@" >"$work/out" 2>"$work/err"
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

expect() {
    (work=$(mktemp -d -p "$top") && check "$@") &
    cases+=($!)
}

no_display='ディスプレイ.*no display'
misuse='^tavometr: .*(unknown option|unexpected argument|needs a value|takes no value)'

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
expect 2 "" "$misuse" "" -reverse=1
# Platforms that need no display: the program starts and keeps running. Qt says on stderr
# that Wayland failed before it falls back, and the minimal platform has no fonts at all.
# Qt reads its options with one dash or two, and "=" only as the program hands it on.
expect 124 "" "" offscreen
expect 124 "" "" "" -platform offscreen
expect 124 "" "" "" --platform offscreen
expect 124 "" "" "" -platform=offscreen
expect 124 "" "" "" --platform=offscreen
expect 124 "" "*" "wayland;offscreen"
expect 124 "" "*" "" -platform minimal
# A display named on the command line, and Wayland's default socket, are displays.
expect 124 "" "*" "" -display ":$(cat "$work/display")"
runtime=$work/wayland expect 124 "" "*" wayland
wait "${cases[@]}"
[[ ! -e $top/failed ]]
