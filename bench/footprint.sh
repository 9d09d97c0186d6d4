#!/usr/bin/env bash
# Start-up time and memory of Varnel next to a program that does nothing but
# show the same tray icon (minimal_tray), under Xvfb with trayer as the tray.
#   bench/footprint.sh [BUILD_DIR] [RUNS]
# BUILD_DIR (default ./build) must hold src/Varnel and bench/minimal_tray:
# configure with -DVARNEL_BENCH=ON, build in Release for figures worth quoting.
#
# Both programs are started alternately, RUNS times each (default 5), each
# from a fresh directory of its own. Measured from outside, since neither
# program prints anything:
#   start-up  from the fork to the tray icon's window being viewable, that
#             is, taken in by the tray (polled with xdotool, so a few
#             milliseconds of polling granularity are included);
#   VmHWM     peak resident memory, read from /proc 2 s after the icon came;
#   VmRSS     resident memory at the same moment.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../tests/e2e/xsession.sh
source "$(cd "$(dirname "$0")" && pwd)/../tests/e2e/xsession.sh"
build_dir=${1:-build}
runs=${2:-5}
settle_seconds=2
goal=1.2

varnel=$build_dir/src/Varnel
minimal=$build_dir/bench/minimal_tray
for program in "$varnel" "$minimal"; do
    [ -x "$program" ] || { echo "$program is missing: build with -DVARNEL_BENCH=ON" >&2; exit 1; }
done
xsession_require_tools
trap xsession_end EXIT
xsession_start

# measure PROGRAM: prints "startup_ms hwm_kib rss_kib" for one run.
measure() {
    local dir started pid icon_ms
    dir=$(mktemp -d "$xsession_dir/run.XXXXXX")
    cp "$1" "$dir/"
    started=$(now_ms)
    xsession_spawn "$dir/output.log" "$dir/${1##*/}"
    pid=$xsession_last_pid
    within 20000 tray_icon_window "$pid" >/dev/null || { echo "no tray icon from $1" >&2; return 1; }
    icon_ms=$(($(now_ms) - started))
    sleep "$settle_seconds"
    echo "$icon_ms $(awk '/^VmHWM:|^VmRSS:/ { v[$1] = $2 } END { print v["VmHWM:"], v["VmRSS:"] }' "/proc/$pid/status")"
    kill -TERM "$pid"
    within 5000 eval "! kill -0 $pid 2>/dev/null" || kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One unmeasured run of each first, so that both start from warm caches.
measure "$varnel" >/dev/null
measure "$minimal" >/dev/null
results=$xsession_dir/results
for ((run = 1; run <= runs; run++)); do
    echo "varnel $(measure "$varnel")" >>"$results"
    echo "minimal $(measure "$minimal")" >>"$results"
done

printf 'Runs per program: %d (Varnel started hidden, as always)\n\n' "$runs"
printf '%-22s %10s %10s %8s\n' "median" "Varnel" "minimal" "ratio"
column=2
for label in "start-up to icon (ms)" "VmHWM (KiB)" "VmRSS (KiB)"; do
    v=$(awk -v c="$column" '$1 == "varnel" { print $c }' "$results" | median)
    m=$(awk -v c="$column" '$1 == "minimal" { print $c }' "$results" | median)
    ratio=$(awk -v v="$v" -v m="$m" 'BEGIN { printf "%.2f", v / m }')
    verdict=$(awk -v r="$ratio" -v g="$goal" 'BEGIN { print (r <= g) ? "" : "  over " g "x" }')
    printf '%-22s %10s %10s %7sx%s\n' "$label" "$v" "$m" "$ratio" "$verdict"
    column=$((column + 1))
done
printf '\nAll runs (program, start-up ms, VmHWM KiB, VmRSS KiB):\n'
cat "$results"
