#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of the program against the floor (a bare Qt Widgets program showing one window of
# the main window's size), on a private Xvfb display with the xcb platform:
#   - time from exec to the main window being mapped, and
#   - peak resident memory (VmHWM) once the window is up and has settled,
# over RUNS interleaved runs of each. Prints the medians, the program/floor time ratio and
# the memory difference, each against its goal. The time goal is judged on the median of the
# per-pair ratios (each program run against the floor run next to it), which a shared,
# busy machine disturbs less than the ratio of the two medians; both are printed, with the
# CPU time each used until its window was mapped. For reference it also measures the floor
# with one label of Japanese text (tavo_floor --label): the least any program pays to show
# Japanese at all.
#
# The times come from tavo_map_timer (bench/floor/map_timer.cpp): it listens for MapNotify
# on the root window before starting the program and takes a steady-clock reading when the
# event arrives, so the resolution is microseconds. `xdotool search --sync` is not used for
# the figures: it sleeps 0.5 s between searches. xdotool only checks once, afterwards, that
# the window the timer saw is the program's visible main window.
#
# Environment (all optional):
#   TAVO_PROGRAM    the program        (default build/release/app/tavometr)
#   TAVO_FLOOR      the floor          (default build/release/bench/floor/tavo_floor)
#   TAVO_MAP_TIMER  the timer          (default build/release/bench/floor/tavo_map_timer)
#   RUNS            runs of each       (default 20, at least 10)
#   SETTLE_MS       wait after mapping before VmHWM is read (default 300)
# Installs nothing. Exit status 0 when measured (goals met or not), 1 when something is
# missing, 2 when a run failed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=${TAVO_PROGRAM:-$root/build/release/app/tavometr}
floor=${TAVO_FLOOR:-$root/build/release/bench/floor/tavo_floor}
timer=${TAVO_MAP_TIMER:-$root/build/release/bench/floor/tavo_map_timer}
runs=${RUNS:-20}
settle_ms=${SETTLE_MS:-300}

time_goal_ratio=1.25
memory_goal_mib=8

missing=()
command -v Xvfb >/dev/null 2>&1 || missing+=(xvfb)
command -v xdotool >/dev/null 2>&1 || missing+=(xdotool)
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "startup.sh: missing ${missing[*]}; install with: scripts/install-deps ${missing[*]}" >&2
    echo "startup.sh: (or: sudo apt-get install ${missing[*]})" >&2
    exit 1
fi
for binary in "$program" "$floor" "$timer"; do
    if [[ ! -x "$binary" ]]; then
        echo "startup.sh: $binary not found; build first:" >&2
        echo "startup.sh:   cmake --preset release && cmake --build --preset release" >&2
        exit 1
    fi
done
if (( runs < 10 )); then
    echo "startup.sh: RUNS must be at least 10 (got $runs)" >&2
    exit 1
fi

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the given descriptor once it
# accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "startup.sh: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 2
    fi
    sleep 0.1
done
if [[ ! -s "$work/display" ]]; then
    echo "startup.sh: Xvfb gave no display number within 10 s" >&2
    exit 2
fi
# Measure private copies: the build tree may be rebuilt while this runs, and every run must
# time the same binaries. Neither program looks for files beside itself.
cp "$program" "$work/program.bin"
cp "$floor" "$work/floor.bin"
program_name=$program
program="$work/program.bin"
floor="$work/floor.bin"

export DISPLAY=":$(head -n 1 "$work/display")"
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"

# One run of a program (with its arguments): prints "MS CPU_MS VMHWM_KIB RSSANON_KIB WxH".
measure() {
    local line
    if ! line=$("$timer" --settle-ms "$settle_ms" "$@" 2>>"$work/stderr"); then
        echo "startup.sh: measuring $* failed:" >&2
        tail -n 20 "$work/stderr" >&2
        exit 2
    fi
    awk '{
        for (i = 1; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
        print v["map_ms"], v["cpu_ms"], v["vmhwm_kib"], v["rssanon_kib"], v["width"] "x" v["height"]
    }' <<<"$line"
}

median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) exit 1
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2
    }'
}

echo "start-up of $program_name on Xvfb $DISPLAY (xcb), $runs runs of each, interleaved"
# Warm-up, not counted: page cache, font caches.
measure "$program" >/dev/null
measure "$floor" >/dev/null
measure "$floor" --label >/dev/null

: >"$work/program.runs"
: >"$work/floor.runs"
: >"$work/label.runs"
: >"$work/ratio"
for ((i = 1; i <= runs; ++i)); do
    # Alternate which goes first, so neither always runs right after the other.
    if (( i % 2 )); then
        p=$(measure "$program"); f=$(measure "$floor")
    else
        f=$(measure "$floor"); p=$(measure "$program")
    fi
    # The labelled floor is for reference only: it runs after the pair, outside the ratio.
    measure "$floor" --label >>"$work/label.runs"
    echo "$p" >>"$work/program.runs"
    echo "$f" >>"$work/floor.runs"
    awk -v p="${p%% *}" -v f="${f%% *}" 'BEGIN { printf "%.4f\n", p / f }' >>"$work/ratio"
    read -r p_ms p_cpu p_kib _ _ <<<"$p"
    read -r f_ms f_cpu f_kib _ _ <<<"$f"
    printf '  run %2d  program %7.2f ms (cpu %6.2f) %6d KiB   floor %7.2f ms (cpu %6.2f) %6d KiB\n' \
        "$i" "$p_ms" "$p_cpu" "$p_kib" "$f_ms" "$f_cpu" "$f_kib"
done

program_ms=$(cut -d' ' -f1 "$work/program.runs" | median)
floor_ms=$(cut -d' ' -f1 "$work/floor.runs" | median)
program_cpu=$(cut -d' ' -f2 "$work/program.runs" | median)
floor_cpu=$(cut -d' ' -f2 "$work/floor.runs" | median)
program_kib=$(cut -d' ' -f3 "$work/program.runs" | median)
floor_kib=$(cut -d' ' -f3 "$work/floor.runs" | median)
paired_ratio=$(median <"$work/ratio")
label_ms=$(cut -d' ' -f1 "$work/label.runs" | median)
label_cpu=$(cut -d' ' -f2 "$work/label.runs" | median)
label_kib=$(cut -d' ' -f3 "$work/label.runs" | median)
program_anon=$(cut -d' ' -f4 "$work/program.runs" | median)
floor_anon=$(cut -d' ' -f4 "$work/floor.runs" | median)
program_size=$(cut -d' ' -f5 "$work/program.runs" | sort | uniq -c | sort -rn | awk 'NR == 1 { print $2 }')

# The window the timer saw must be the program's visible main window: xdotool finds the
# visible windows of the pid (after its own 0.5 s polls) and reports their size.
"$program" 2>>"$work/stderr" &
check_pid=$!
check_window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$check_pid" | head -n 1 || true)
check_size=
if [[ -n "$check_window" ]]; then
    check_size=$(xdotool getwindowgeometry "$check_window" | awk '/Geometry:/ { print $2 }')
fi
kill "$check_pid" 2>/dev/null || true
wait "$check_pid" 2>/dev/null || true
if [[ "$check_size" != "$program_size" ]]; then
    echo "startup.sh: the timer saw a ${program_size} window, xdotool finds" \
        "'${check_size:-none}' as the program's visible window" >&2
    exit 2
fi

awk -v pm="$program_ms" -v fm="$floor_ms" -v pr="$paired_ratio" \
    -v pc="$program_cpu" -v fc="$floor_cpu" \
    -v lm="$label_ms" -v lc="$label_cpu" -v lk="$label_kib" \
    -v pk="$program_kib" -v fk="$floor_kib" -v pa="$program_anon" -v fa="$floor_anon" \
    -v tg="$time_goal_ratio" -v mg="$memory_goal_mib" \
    -v size="$program_size" -v runs="$runs" 'BEGIN {
    diff = (pk - fk) / 1024
    printf "start-up (exec to main window %s mapped), medians of %s runs:\n", size, runs
    printf "  time    program %8.2f ms   floor %8.2f ms   ratio %.3f (median of paired runs %.3f); goal <= %.2f: %s\n", \
        pm, fm, pm / fm, pr, tg, (pr <= tg ? "met" : "NOT MET")
    printf "  CPU     program %8.2f ms   floor %8.2f ms   ratio %.3f (CPU time used until the map, all threads)\n", \
        pc, fc, pc / fc
    printf "  VmHWM   program %8.1f MiB  floor %8.1f MiB  difference %+.1f MiB; goal <= +%d MiB: %s\n", \
        pk / 1024, fk / 1024, diff, mg, (diff <= mg ? "met" : "NOT MET")
    printf "  of which private (RssAnon after settling): program %.1f MiB, floor %.1f MiB, difference %+.1f MiB\n", \
        pa / 1024, fa / 1024, (pa - fa) / 1024
    printf "  reference: the floor with one label of Japanese text: %.2f ms (cpu %.2f ms), %.1f MiB;\n", \
        lm, lc, lk / 1024
    printf "             program against it: time %.3f, cpu %.3f, VmHWM %+.1f MiB\n", \
        pm / lm, pc / lc, (pk - lk) / 1024
}' | tee "${STARTUP_SUMMARY:-/dev/null}"
