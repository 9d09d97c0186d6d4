#!/usr/bin/env bash
# The longest pause of Varnel's event loop while paths on a mount that does
# not answer are shown, opened and dropped: the real program under Xvfb
# with trayer as the tray, driven by xdotool, its file-system calls on one
# directory made to hang by bench/hang_fs.c (preloaded; works as root and
# as any user, where a FUSE file system of our own would need /dev/fuse).
#   bench/dead_mount_probe.sh [BUILD_DIR] [HANG_SECONDS]
# BUILD_DIR (default ./build, configured with -DVARNEL_BENCH=ON) must hold
# src/Varnel and bench/{libhang_fs.so,loop_ping}; the drop needs
# tests/e2e/uri_drag_source (built with the tests) and is skipped without
# it. HANG_SECONDS (default 5): how long each call on the dead directory
# waits before it is done; 0 waits for ever, as a hard NFS mount does.
#
# How a pause is measured (bench/loop_ping.cpp): a second X client sends
# the program's tray icon window the window manager's ping (_NET_WM_PING)
# every 5 ms, one at a time. Qt answers it from the event loop of the
# user-interface thread only, so a ping waits exactly as long as that loop
# is kept from running (plus a round trip to the X server, well under a
# millisecond). Timers, repaints and the tray all stop for that long. The
# ping log gives each slow answer with its sending time, so each pause is
# put down to the step during which it began.
#
# Steps, each lasting until the event loop has answered every ping within
# 100 ms for two seconds (at least 3 s; at most STEP_CAP, default 300 s,
# after which the program is taken as frozen and the probe ends). A pause
# under 20 ms is shown as "<20". VARNEL_PROGRAM measures another Varnel (an
# older build, say) with the tools of BUILD_DIR. The steps:
#   idle     the program started and hidden, before any click;
#   show     a left click on the tray icon shows the window: the settings
#            are read, the tree holds items and a folder on the dead mount;
#   open     a double click on an item on the dead mount (xdg-open is a
#            stand-in that only notes what it was asked to open);
#   drop     a file and a folder of the dead mount dragged from another
#            program (uri_drag_source) onto empty tree space;
#   menu     a right click on the tray icon opens its menu, whose Quick
#            List names paths on the dead mount; Escape closes it;
#   quit     SIGTERM: the time until the program has ended (it saves first).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/xsession.sh
source "$here/../tests/e2e/xsession.sh"
build_dir=$(cd "${1:-build}" && pwd)
hang_seconds=${2:-5}
step_cap=${STEP_CAP:-300}

varnel=${VARNEL_PROGRAM:-$build_dir/src/Varnel}
hang_lib=$build_dir/bench/libhang_fs.so
loop_ping=$build_dir/bench/loop_ping
drag_source=$build_dir/tests/e2e/uri_drag_source
for program in "$varnel" "$hang_lib" "$loop_ping"; do
    [ -e "$program" ] || { echo "$program is missing: build with -DVARNEL_BENCH=ON" >&2; exit 1; }
done
xsession_require_tools
trap xsession_end EXIT
xsession_start

# The dead mount: real files, whose every call waits.
dead=$xsession_dir/dead
mkdir -p "$dead/projects/old"
echo notes >"$dead/notes.txt"
printf '%%PDF-1.4\n' >"$dead/report.pdf"
printf 'no name tells what this is\n' >"$dead/scan-0042"
: >"$dead/projects/plan.odt"
: >"$dead/projects/old/budget.ods"

app_dir=$xsession_dir/app
mkdir -p "$app_dir" "$xsession_dir/bin"
cp "$varnel" "$app_dir/Varnel"
tab=$'\t'
{
    # The window stays shown when an item is opened.
    printf 'Path=False\r\nHide=False\r\n'
    # Items carry an icon index of an earlier run, so their icons are looked up.
    printf 'Node=notes%s%s/notes.txt%s7%s%sFalse%s0%sFalse\r\n' "$tab" "$dead" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf 'Node=report%s%s/report.pdf%s7%s%sFalse%s0%sFalse\r\n' "$tab" "$dead" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf 'Node=projects%s%s/projects%sclosed%sopen%sTrue%s0%sFalse\r\n' "$tab" "$dead" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf 'Node=plan%s%s/projects/plan.odt%s7%s%sFalse%s3%sFalse\r\n' "$tab" "$dead" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf 'Node=scan%s%s/scan-0042%s7%s%sFalse%s0%sFalse\r\n' "$tab" "$dead" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf 'Node=hosts%s/etc/hosts%s7%s%sFalse%s0%sFalse\r\n' "$tab" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf '[QuickList]\r\nQLI=notes%s%s/notes.txt\r\nQLI=projects%s%s/projects\r\n' "$tab" "$dead" "$tab" "$dead"
} >"$app_dir/Varnel.INI"

# xdg-open that only notes what it was asked to open.
opened=$xsession_dir/opened.log
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$opened" >"$xsession_dir/bin/xdg-open"
chmod +x "$xsession_dir/bin/xdg-open"

if [ -x "$drag_source" ]; then
    xsession_spawn "$xsession_dir/source.log" "$drag_source" "$dead/projects/plan.odt" "$dead/projects/old"
    within 5000 toplevel_windows --pid "$xsession_last_pid" >/dev/null || { echo "the drag source shows no window" >&2; exit 1; }
    source_window=$(toplevel_windows --pid "$xsession_last_pid" | head -n 1)
fi

xsession_spawn "$xsession_dir/varnel.log" env PATH="$xsession_dir/bin:$PATH" LD_PRELOAD="$hang_lib" \
    VARNEL_HANG_DIR="$dead" VARNEL_HANG_SECONDS="$hang_seconds" VARNEL_HANG_LOG="$xsession_dir/hung.log" \
    "$app_dir/Varnel"
pid=$xsession_last_pid
within 20000 tray_icon_window "$pid" >/dev/null || { echo "no tray icon appeared" >&2; exit 1; }
icon=$(tray_icon_window "$pid")

pings=$xsession_dir/ping.log status=$xsession_dir/ping.status
"$loop_ping" "$icon" "$pings" "$status" >"$xsession_dir/ping.out" 2>&1 &
xsession_pids+=($!)
ping_pid=$!

# Whether the event loop answers now: the pinger is alive and its ping in
# flight has waited under 100 ms.
answering() {
    local at waiting
    read -r at waiting <"$status" 2>/dev/null || return 1
    ((waiting < 100 && $(now_ms) - at < 500))
}

# quiet_since START: waits until the event loop has answered for two
# seconds running, at least 3 s after START; fails after STEP_CAP seconds.
quiet_since() {
    local answered=0
    while (($(now_ms) - $1 < step_cap * 1000)); do
        if answering; then answered=$((answered + 1)); else answered=0; fi
        ((answered >= 20 && $(now_ms) - $1 >= 3000)) && return 0
        sleep 0.1
    done
    return 1
}

results=$xsession_dir/results
: >"$results"
frozen=0
# step NAME COMMAND...: runs COMMAND, waits for quiet, notes the longest
# pause that began meanwhile.
step() {
    local name=$1 started longest waiting=0 note=""
    shift
    started=$(now_ms)
    "$@" || note="(the step itself failed)"
    if ! quiet_since "$started"; then
        frozen=1
        waiting=$(cut -d' ' -f2 "$status")
        note="frozen: the ping in flight unanswered at the cap"
    fi
    # A pause still going on at the cap is at least as long as it has lasted.
    longest=$(awk -v s="$started" -v w="$waiting" '$1 >= s && $2 > m { m = $2 }
        END { if (w > m) printf ">=%.0f", w; else if (m) printf "%.0f", m; else print "<20" }' "$pings")
    printf '%-6s %8s ms  %6.1f s  %s\n' "$name" "$longest" "$((($(now_ms) - started) / 100))e-1" "$note" >>"$results"
}

sleep 1
step idle sleep 2
main_window() { toplevel_windows --pid "$pid" --name '^Varnel$'; }
show() {
    click_window "$icon" 1
    within $((step_cap * 1000)) main_window >/dev/null
}
tree_at() {
    local X Y WIDTH HEIGHT
    window_geometry "$(main_window | head -n 1)"
    echo $((X + 200 + $1)) $((Y + 8 + $2))
}
open_notes() {
    local x y
    read -r x y < <(tree_at 45 9)
    xdotool mousemove "$x" "$y" sleep 0.2 click --repeat 2 --delay 80 1
}
drop_files() {
    local X Y WIDTH HEIGHT to_x to_y
    read -r to_x to_y < <(tree_at 100 150)
    window_geometry "$source_window"
    local from_x=$((X + WIDTH / 2)) from_y=$((Y + HEIGHT / 2))
    xdotool mousemove "$from_x" "$from_y" sleep 0.2 mousedown 1 sleep 0.1 \
        mousemove $((from_x + 1)) $((from_y + 1)) sleep 0.3 \
        mousemove $(((from_x + to_x) / 2)) $(((from_y + to_y) / 2)) sleep 0.2 \
        mousemove "$to_x" "$to_y" sleep 0.4 mouseup 1
}
tray_menu() { click_window "$icon" 3; sleep 1; xdotool key Escape; }

step show show
((frozen)) || step open open_notes
if ((!frozen)) && [ -n "${source_window:-}" ]; then step drop drop_files; fi
((frozen)) || step menu tray_menu

kill -TERM "$ping_pid" 2>/dev/null || true
wait "$ping_pid" 2>/dev/null || true
quit_started=$(now_ms)
kill -TERM "$pid"
if within $((step_cap * 1000)) eval "! kill -0 $pid 2>/dev/null"; then
    printf '%-6s %8s     %6.1f s  until the program ended\n' quit "" "$((($(now_ms) - quit_started) / 100))e-1" >>"$results"
else
    printf '%-6s %8s     %6s    still running after %d s: killed\n' quit "" "" "$step_cap" >>"$results"
    { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null || true
fi

printf 'Varnel %s; every call on the dead directory waits %s s%s\n\n' "$varnel" "$hang_seconds" \
    "$([ "$hang_seconds" = 0 ] && echo ' (for ever)')"
printf '%-6s %11s  %8s\n' step "longest pause" "lasted"
cat "$results"
opened_paths=nothing
[ -s "$opened" ] && opened_paths=$(tr '\n' ' ' <"$opened")
printf '\nopened by xdg-open: %s\n' "$opened_paths"
printf 'nodes in the saved tree: %s\n' "$(grep -c '^Node=' "$app_dir/Varnel.INI")"
printf 'calls that waited, by kind: %s\n' \
    "$(cut -d' ' -f1 "$xsession_dir/hung.log" 2>/dev/null | sort | uniq -c | awk '{ printf "%s%s %s", (NR > 1 ? ", " : ""), $2, $1 }')"
