#!/usr/bin/env bash
# How long the real Varnel takes to end after SIGTERM, with trees of 0,
# 10 000 and 100 000 nodes, in three cases: nothing to save (never shown),
# a save due (shown once), and a save due that cannot be made (the settings
# file is then a link into a folder that is gone), which keeps the tree in a
# recovery file. Under Xvfb with trayer as the tray, as bench/footprint.sh.
#   bench/end_probe.sh [BUILD_DIR] [RUNS]
# BUILD_DIR (default ./build; Release for figures worth quoting) must hold
# src/Varnel. RUNS (default 3) runs of each case; medians in milliseconds,
# from the signal to the process being reaped, are printed. Each run also
# checks that the program ended in order (exit status 0) and left no lock.
# SHOW_PROBE_SIZES (default "0 10000 100000") narrows the probe.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/xsession.sh
source "$here/../tests/e2e/xsession.sh"
build_dir=${1:-build}
runs=${2:-3}
sizes=${SHOW_PROBE_SIZES:-0 10000 100000}
varnel=$build_dir/src/Varnel
[ -x "$varnel" ] || { echo "$varnel is missing" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 is needed to write the trees" >&2; exit 1; }
xsession_require_tools
trap xsession_end EXIT
xsession_start
inis=$xsession_dir/inis
mkdir -p "$inis"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One run: prints the milliseconds from SIGTERM to the end.
#   one_run NODES CASE   (CASE: hidden, shown or unsaveable)
one_run() {
    local nodes=$1 case=$2 dir icon pid started status=0
    give_up() {
        kill -KILL "$pid" 2>/dev/null || true
        echo "$1" >&2
        return 1
    }
    dir=$(mktemp -d "$xsession_dir/run.XXXXXX")
    cp "$varnel" "$dir/Varnel"
    # A Varnel.INI beside the program is its settings file.
    if [ "$nodes" -gt 0 ]; then cp "$inis/$nodes.ini" "$dir/Varnel.INI"; else : >"$dir/Varnel.INI"; fi
    xsession_spawn "$dir/output.log" "$dir/Varnel"
    pid=$xsession_last_pid
    within 20000 tray_icon_window "$pid" >/dev/null || give_up "no tray icon" || return 1
    icon=$(tray_icon_window "$pid")
    if [ "$case" != hidden ]; then
        click_window "$icon" 1
        within 60000 eval "visible_windows --pid $pid --name '^Varnel\$' >/dev/null" ||
            give_up "the window did not show" || return 1
        sleep 2  # the tree drawn, the icons looked up
    fi
    [ "$case" = unsaveable ] && ln -sfn "$dir/gone/Varnel.INI" "$dir/Varnel.INI"
    started=$(date +%s%N)
    kill -TERM "$pid"
    wait "$pid" || status=$?
    echo $((($(date +%s%N) - started) / 1000000))
    [ "$status" -eq 0 ] || { echo "ended with status $status" >&2; return 1; }
    [ -z "$(find "$XDG_RUNTIME_DIR" -name '*.lock')" ] || { echo "a lock was left" >&2; return 1; }
    if [ "$case" = unsaveable ]; then
        [ -n "$(find "$HOME/.local/state/varnel" -name 'Varnel-recovery-*.INI' 2>/dev/null)" ] ||
            { echo "no recovery file" >&2; return 1; }
        rm -rf "$HOME/.local/state/varnel"
    fi
}

printf '%-8s %10s %10s %12s\n' nodes hidden shown unsaveable
for nodes in $sizes; do
    [ "$nodes" -eq 0 ] || [ -e "$inis/$nodes.ini" ] ||
        python3 "$here/make_tree_ini.py" "$nodes" "$inis/$nodes.ini" 2>/dev/null
    row=()
    for case in hidden shown unsaveable; do
        times=()
        for ((run = 0; run < runs; run++)); do
            times+=("$(one_run "$nodes" "$case")")
        done
        row+=("$(printf '%s\n' "${times[@]}" | median)")
    done
    printf '%-8s %10s %10s %12s\n' "$nodes" "${row[@]}"
done
