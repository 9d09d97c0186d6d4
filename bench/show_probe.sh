#!/usr/bin/env bash
# How long the real Varnel takes from a click on its tray icon to a drawn
# window, and its peak memory, with trees of 0, 10 000 and 100 000 nodes;
# beside a bare Qt window shown on the same click (bare_window). Then a
# hidden Varnel holding 100 000 nodes, never clicked, through its first
# scheduled save, beside the bare tray program (minimal_tray). Under Xvfb
# with trayer as the tray, as bench/footprint.sh.
#   bench/show_probe.sh [BUILD_DIR] [RUNS]
# BUILD_DIR (default ./build, configured with -DVARNEL_BENCH=ON, Release for
# figures worth quoting) must hold src/Varnel and bench/{bare_window,
# minimal_tray,show_clock,loop_ping}. RUNS (default 3): each program and
# tree is run that many times, alternating, each from a fresh directory
# holding a copy of the program and its Varnel.INI (a writable Varnel.INI
# beside the program is its settings file); medians are printed.
# SHOW_PROBE_SIZES (default "0 10000 100000") and SHOW_PROBE_HIDDEN=0 (skip
# the hidden case, which takes over a minute a run) narrow the probe;
# VARNEL_PROGRAM measures another Varnel (an older build, say) with the
# tools of BUILD_DIR.
#
# The trees (bench/make_tree_ini.py) mirror real directories of this
# machine: nested folders, a few files of each as items, as many file kinds
# as there are, items carrying an icon index of an earlier run (so their
# icons are looked up), and missing paths among them.
#
# Measured from outside, since Varnel prints nothing (bench/show_clock.cpp):
#   mapped    from the click (sent through XTEST, once the program has sat
#             idle a second after its icon came) to the window being mapped;
#   drawn     to the window's tree area showing its rows: a rectangle of
#             it, read back from the X server every 2 ms, turns from the
#             black root (an unpainted window shows what lies below it) to
#             light with dark text (or to all light for the empty tree);
#   VmHWM     peak resident memory, at the drawn window, and once the program
#             has settled (used under 20 ms of CPU in a second: background
#             icon lookups are done; at most 120 s).
# Hidden case: VmHWM once the program has settled after its first scheduled
# save (60 s after start; while the settings were never read, that save
# reads them), and the longest pause of its event loop meanwhile, timed by
# bench/loop_ping.cpp pinging its tray icon (the tray is frozen that long).
# minimal_tray runs beside it, idle, and its VmHWM is read at the same time.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/xsession.sh
source "$here/../tests/e2e/xsession.sh"
build_dir=${1:-build}
runs=${2:-3}
sizes=${SHOW_PROBE_SIZES:-0 10000 100000}
hidden_nodes=100000

varnel=${VARNEL_PROGRAM:-$build_dir/src/Varnel}
bare=$build_dir/bench/bare_window
minimal=$build_dir/bench/minimal_tray
show_clock=$build_dir/bench/show_clock
loop_ping=$build_dir/bench/loop_ping
for program in "$varnel" "$bare" "$minimal" "$show_clock" "$loop_ping"; do
    [ -x "$program" ] || { echo "$program is missing: build with -DVARNEL_BENCH=ON" >&2; exit 1; }
done
command -v python3 >/dev/null || { echo "python3 is needed to write the trees" >&2; exit 1; }
xsession_require_tools
trap xsession_end EXIT
xsession_start

# Varnel's tree starts 200 pixels right of the window's corner and 8 down;
# bare_window puts its tree there too. Two rows of it are looked at.
tree_area=150x36+205+12

inis=$xsession_dir/trees
mkdir -p "$inis"
for nodes in $sizes $hidden_nodes; do
    [ -e "$inis/$nodes.ini" ] || python3 "$here/make_tree_ini.py" "$nodes" "$inis/$nodes.ini"
done

# start PROGRAM [INI]: a fresh copy of PROGRAM (with INI beside it as
# Varnel.INI), started; sets pid, icon_x, icon_y (the icon's middle).
start() {
    local dir X Y WIDTH HEIGHT icon
    dir=$(mktemp -d "$xsession_dir/run.XXXXXX")
    cp "$1" "$dir/"
    [ -n "${2:-}" ] && cp "$2" "$dir/Varnel.INI"
    xsession_spawn "$dir/output.log" "$dir/${1##*/}"
    pid=$xsession_last_pid
    within 20000 tray_icon_window "$pid" >/dev/null || { echo "no tray icon from $1" >&2; return 1; }
    icon=$(tray_icon_window "$pid")
    window_geometry "$icon"
    icon_x=$((X + WIDTH / 2)) icon_y=$((Y + HEIGHT / 2)) icon_window=$icon
}

stop() {
    kill -TERM "$1" 2>/dev/null || true
    within 20000 eval "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

hwm() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# settle PID SECONDS: waits until PID uses under 2 ticks (20 ms) of CPU in a
# second, at most SECONDS; fails if it never does.
settle() {
    local deadline=$(($(now_ms) + $2 * 1000)) before after
    after=$(cpu_ticks "$1")
    while (($(now_ms) < deadline)); do
        before=$after
        sleep 1
        after=$(cpu_ticks "$1")
        ((after - before < 2)) && return 0
    done
    return 1
}

# show_once PROGRAM INI MODE: prints "mapped_ms drawn_ms hwm_drawn hwm_settled".
show_once() {
    local pid icon_x icon_y icon_window mapped drawn shown settled
    start "$1" "$2"
    settle "$pid" 20 || true
    read -r mapped drawn _ < <("$show_clock" "$pid" "$icon_x" "$icon_y" "$tree_area" "$3" 300) ||
        { echo "no drawn window from $1 ${2##*/}" >&2; screenshot "$xsession_dir/failed.png"; stop "$pid"; return 1; }
    shown=$(hwm "$pid")
    settle "$pid" 120 || echo "$1 ${2##*/} still busy after 120 s" >&2
    settled=$(hwm "$pid")
    stop "$pid"
    echo "$mapped $drawn $shown $settled"
}

# hidden_once: prints "varnel_hwm longest_pause_ms minimal_hwm".
hidden_once() {
    local pid icon_x icon_y icon_window started minimal_pid varnel_pid ping_pid pause
    started=$(now_ms)
    start "$varnel" "$inis/$hidden_nodes.ini"
    varnel_pid=$pid
    "$loop_ping" "$icon_window" "$xsession_dir/ping.log" "$xsession_dir/ping.status" \
        >"$xsession_dir/ping.out" 2>&1 &
    ping_pid=$!
    start "$minimal"
    minimal_pid=$pid
    # The save falls due 60 s after start; give it a second to begin.
    local wait_ms=$((started + 61000 - $(now_ms)))
    ((wait_ms > 0)) && sleep $((wait_ms / 1000))
    settle "$varnel_pid" 120 || echo "the hidden Varnel is still busy after 120 s" >&2
    kill -TERM "$ping_pid"
    wait "$ping_pid" || true
    pause=$(sed -n 's/.*longest \([0-9.]*\) ms.*/\1/p' "$xsession_dir/ping.out")
    echo "$(hwm "$varnel_pid") ${pause:-?} $(hwm "$minimal_pid")"
    stop "$minimal_pid"
    stop "$varnel_pid"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_of() { awk -v k="$1" -v c="$2" '$1 == k { print $c }' "$results" | median; }

results=$xsession_dir/results
: >"$results"
# One unmeasured showing first, so that every measured one starts from warm
# caches (the files of the trees, the MIME database, the icon theme).
for nodes in $sizes; do
    if [ "$nodes" -gt 0 ]; then
        show_once "$varnel" "$inis/$nodes.ini" rows >/dev/null
        break
    fi
done
for ((run = 1; run <= runs; run++)); do
    echo "bare $(show_once "$bare" "" rows)" >>"$results"
    for nodes in $sizes; do
        mode=rows
        [ "$nodes" -eq 0 ] && mode=painted
        echo "varnel-$nodes $(show_once "$varnel" "$inis/$nodes.ini" "$mode")" >>"$results"
    done
done
if [ "${SHOW_PROBE_HIDDEN:-1}" != 0 ]; then
    for ((run = 1; run <= runs; run++)); do
        echo "hidden $(hidden_once)" >>"$results"
    done
fi

printf 'Varnel %s, medians of %d runs\n\n' "$varnel" "$runs"
printf '%-24s %10s %10s %14s %14s\n' "shown on a tray click" "mapped ms" "drawn ms" "VmHWM drawn" "VmHWM settled"
for key in bare $(for n in $sizes; do echo "varnel-$n"; done); do
    case $key in
    bare) label="bare Qt window" ;;
    *) label="Varnel, ${key#varnel-} nodes" ;;
    esac
    printf '%-24s %10s %10s %11s KiB %10s KiB\n' "$label" "$(column_of "$key" 2)" \
        "$(column_of "$key" 3)" "$(column_of "$key" 4)" "$(column_of "$key" 5)"
done
if grep -q '^varnel-0 ' "$results"; then
    empty=$(column_of varnel-0 3)
    for nodes in $sizes; do
        [ "$nodes" -eq 0 ] && continue
        awk -v n="$nodes" -v d="$(column_of "varnel-$nodes" 3)" -v e="$empty" \
            'BEGIN { printf "  %d nodes drawn %+.0f ms after the empty tree (goal: within 100 ms)\n", n, d - e }'
    done
fi
if grep -q '^hidden ' "$results"; then
    v=$(column_of hidden 2) m=$(column_of hidden 4) p=$(column_of hidden 3)
    printf '\nhidden, never clicked, %d nodes stored, through the first scheduled save:\n' "$hidden_nodes"
    printf '  Varnel VmHWM %s KiB, minimal_tray %s KiB; longest pause of the tray %s ms\n' "$v" "$m" "$p"
    awk -v v="$v" -v m="$m" -v n="$hidden_nodes" 'BEGIN {
        goal = (1.1 * m * 1024 + 250 * n) / 1024
        printf "  goal 1.1 x minimal + 250 B a node = %.0f KiB: %s\n", goal, (v <= goal) ? "met" : "over" }'
fi
printf '\nAll runs (what, mapped ms, drawn ms, VmHWM drawn, VmHWM settled KiB;\n'
printf '           hidden: VmHWM KiB, longest pause ms, minimal_tray VmHWM KiB):\n'
cat "$results"
