#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# tavo-convert on a column of 1,000,000 values, read from standard input:
#   - one unit alone (--to m Length yard -), against GNU units fed the same values as
#     "V yard" / "m" pairs (units -t), in the same run;
#   - the full TSV table of every value (Length yard -);
#   - peak resident memory (max RSS from /usr/bin/time) of both batches against a run that
#     converts one line.
# Runs are interleaved; the medians of the wall-clock times are printed with the goals: --to
# at most 0.5 s and at least 10 times the throughput of GNU units, tables at most 2 s, a
# batch's peak memory within 1 MiB of the one-line run. The CPU time (user + system) is
# printed beside each, since on a shared, busy machine the wall-clock time also holds the
# time spent waiting for a core.
#
# Environment (all optional):
#   TAVO_CONVERT  the program           (default build/release/cli/tavo-convert)
#   RUNS          runs of tavo-convert  (default 5)
#   UNITS_RUNS    runs of GNU units     (default 3; each takes several seconds)
#   VALUES        values in the column  (default 1000000)
#   CLI_SUMMARY   where the summary goes as well (default: only standard output)
# Installs nothing. Exit status 0 when measured (goals met or not), 1 when something is
# missing, 2 when a run failed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
convert=${TAVO_CONVERT:-$root/build/release/cli/tavo-convert}
runs=${RUNS:-5}
units_runs=${UNITS_RUNS:-3}
count=${VALUES:-1000000}
summary=${CLI_SUMMARY:-/dev/null}
work=$root/build/bench/cli
mkdir -p "$work"

for tool in units /usr/bin/time; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "cli_batch.sh: $tool missing; install with: scripts/install-deps units time" >&2
        exit 1
    fi
done
if [[ ! -x "$convert" ]]; then
    echo "cli_batch.sh: $convert not found; build it first" >&2
    exit 1
fi

# The values: four to six significant digits, magnitudes 1e-6 to 1e10, a fixed seed.
awk -v n="$count" 'BEGIN {
    srand(20240607)
    for (i = 0; i < n; ++i) printf "%.*g\n", 4 + int(3 * rand()), (1 + 9 * rand()) * 10 ^ int(-6 + 17 * rand())
}' >"$work/values.txt"
awk '{ print $1 " yard"; print "m" }' "$work/values.txt" >"$work/units.txt"
echo 1 >"$work/one.txt"
rm -f "$work"/*.seconds "$work"/*.cpu "$work"/*.kib

# measure NAME INPUT COMMAND...: one run; wall seconds, CPU seconds and max RSS (KiB)
# appended to NAME.seconds, NAME.cpu and NAME.kib; the output is kept as NAME.out.
measure() {
    local name=$1 input=$2
    shift 2
    local start=$EPOCHREALTIME
    if ! /usr/bin/time -f '%M %U %S' -o "$work/$name.rss" "$@" <"$input" >"$work/$name.out" 2>"$work/$name.err"; then
        echo "cli_batch.sh: $name failed: $(head -c 300 "$work/$name.err")" >&2
        exit 2
    fi
    local end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", e - s }' >>"$work/$name.seconds"
    tail -n 1 "$work/$name.rss" | awk '{ print $1 }' >>"$work/$name.kib"
    tail -n 1 "$work/$name.rss" | awk '{ print $2 + $3 }' >>"$work/$name.cpu"
}

median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

for ((run = 1; run <= runs; ++run)); do
    measure to "$work/values.txt" "$convert" --to m Length yard -
    measure table "$work/values.txt" "$convert" Length yard -
    measure one "$work/one.txt" "$convert" --to m Length yard -
    if ((run <= units_runs)); then
        measure units "$work/units.txt" units -t
    fi
    echo "run $run: --to $(tail -n 1 "$work/to.seconds") s, table $(tail -n 1 "$work/table.seconds") s$(
        ((run <= units_runs)) && echo ", units $(tail -n 1 "$work/units.seconds") s")"
done

for name in to units; do
    lines=$(wc -l <"$work/$name.out")
    [[ $lines -eq $count ]] || { echo "cli_batch.sh: $name wrote $lines lines for $count values" >&2; exit 2; }
done

to=$(median "$work/to.seconds") to_cpu=$(median "$work/to.cpu")
table=$(median "$work/table.seconds") table_cpu=$(median "$work/table.cpu")
units=$(median "$work/units.seconds") units_cpu=$(median "$work/units.cpu")
rss_one=$(median "$work/one.kib")
rss_to=$(median "$work/to.kib")
rss_table=$(median "$work/table.kib")

awk -v n="$count" -v runs="$runs" -v units_runs="$units_runs" -v to="$to" -v table="$table" \
    -v units="$units" -v to_cpu="$to_cpu" -v table_cpu="$table_cpu" -v units_cpu="$units_cpu" \
    -v one="$rss_one" -v rto="$rss_to" -v rtable="$rss_table" '
    function verdict(ok) { return ok ? "met" : "NOT MET" }
    BEGIN {
        printf "tavo-convert batches of %d values (medians of %d runs, GNU units of %d):\n", n, runs, units_runs
        printf "  %-32s %7.3f s (CPU %.3f s)   goal <= 0.5 s: %s\n", "--to m Length yard -", to, to_cpu,
            verdict(to <= 0.5)
        printf "  %-32s %7.3f s (CPU %.3f s)   %.1f times the time of --to; goal >= 10: %s\n",
            "units -t, same values", units, units_cpu, units / to, verdict(units / to >= 10)
        printf "  %-32s %7.3f s (CPU %.3f s)   goal <= 2 s: %s\n", "Length yard - (full TSV tables)",
            table, table_cpu, verdict(table <= 2)
        printf "  %-32s one line %d KiB, --to %d KiB (%+d), tables %d KiB (%+d); goal <= +1024 KiB: %s\n",
            "peak memory (max RSS)", one, rto, rto - one, rtable, rtable - one,
            verdict(rto - one <= 1024 && rtable - one <= 1024)
    }' | tee "$summary"
