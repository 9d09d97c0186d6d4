#!/usr/bin/env bash
# End-to-end journeys: the real Varnel under Xvfb, with trayer as the tray,
# driven by real pointer events.
#   journeys.sh JOURNEY VARNEL_BINARY ARTIFACT_DIR
# On failure a picture of the screen and the output of Varnel, Xvfb and
# trayer are left in ARTIFACT_DIR as JOURNEY.png and JOURNEY-*.log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/xsession.sh
source "$here/xsession.sh"
[ $# -eq 3 ] || { echo "usage: $0 JOURNEY VARNEL_BINARY ARTIFACT_DIR" >&2; exit 2; }
journey=$1 varnel=$2 artifacts=$3

# The tray menu's entries, top to bottom: "Open" (or "Hide" while the
# window is shown), "Quick List", "Restore…", "About", "Unload", "Cancel";
# the separator after "Restore…" is no entry.
menu_entries=6 menu_unload=4 menu_cancel=5

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

on_exit() {
    local status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 77 ] && [ -n "${DISPLAY:-}" ]; then
        mkdir -p "$artifacts"
        screenshot "$artifacts/$journey.png"
        for log in "$xsession_dir"/*.log; do
            [ -f "$log" ] && cp "$log" "$artifacts/$journey-${log##*/}"
        done
        echo "Screen and logs in $artifacts" >&2
    fi
    xsession_end
    exit "$status"
}

# A fresh copy of the program in a directory of its own. Varnel.INI lives in
# the session's configuration folder (nothing is put beside the program), the
# instance lock in its runtime folder.
prepare_program() {
    app_dir=$xsession_dir/app
    mkdir -p "$app_dir" "$XDG_CONFIG_HOME/varnel"
    cp "$varnel" "$app_dir/Varnel"
    settings=$XDG_CONFIG_HOME/varnel/Varnel.INI
}

# Starts Varnel; sets pid and, unless told "--no-icon", waits for its tray
# icon and sets icon.
instances=0
start_varnel() {
    instances=$((instances + 1))
    xsession_spawn "$xsession_dir/varnel-$instances.log" "$app_dir/Varnel"
    pid=$xsession_last_pid
    [ "${1:-}" = --no-icon ] && return
    within 10000 tray_icon_window "$pid" >/dev/null || fail "no tray icon appeared"
    icon=$(tray_icon_window "$pid")
}

main_window() { toplevel_windows --pid "$1" --name '^Varnel$'; }

# A top-level window of PID that is not among the ids in KNOWN (a menu or a
# box that has just opened).
new_toplevel() {
    local ids
    ids=$(comm -13 <(echo "$2" | sort) <(toplevel_windows --pid "$1" | sort))
    [ -n "$ids" ] && echo "$ids" | head -n 1
}

# Waits for PID to end within MILLISECONDS and fails unless it exited with 0.
expect_exit() {
    within "$2" eval "! kill -0 $1 2>/dev/null" || fail "process $1 still runs after $2 ms"
    local status=0
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "process $1 ended with status $status"
}

# Right click on the tray icon; the menu opens a quarter second later.
# Sets menu to its window.
open_tray_menu() {
    local before
    before=$(toplevel_windows --pid "$pid" || true)
    click_window "$icon" 3
    within 5000 new_toplevel "$pid" "$before" >/dev/null || fail "the tray menu did not open"
    menu=$(new_toplevel "$pid" "$before")
}

# The entries of a menu window as "first last" rows of pixels, one a line,
# found in its picture: the rows of text (or of a highlighted entry) separated
# by blank rows. The 2-pixel frame is left out, and bands thinner than four
# rows are separator lines, not entries.
menu_entry_bands() {
    local X Y WIDTH HEIGHT shot=$xsession_dir/menu.png
    window_geometry "$1"
    import -window "$1" "$shot" 2>/dev/null || return 1
    ink_bands "$shot" rows "$((WIDTH - 4))x$((HEIGHT - 4))+2+2" | awk '$2 - $1 >= 3'
}

menu_painted() { [ "$(menu_entry_bands "$menu" | wc -l)" -eq "$menu_entries" ]; }

# Clicks entry INDEX of the open tray menu with the left button, in the
# middle of its band of rows, and waits for the menu to close.
choose_from_menu() {
    local X Y WIDTH HEIGHT first last
    within 5000 menu_painted || fail "the tray menu does not show $menu_entries entries"
    window_geometry "$menu"
    read -r first last < <(menu_entry_bands "$menu" | sed -n "$(($1 + 1))p")
    click_at $((X + WIDTH / 2)) $((Y + 2 + (first + last) / 2)) 1
    within 5000 eval "! visible_windows --pid $pid | grep -qx $menu" ||
        fail "the tray menu stayed open"
}

# Clicks the only button of a message box: the lowest band of ink rows is
# the button row, and the outermost ink columns in it are its frame.
click_box_button() {
    local X Y WIDTH HEIGHT top bottom left right shot=$xsession_dir/box.png
    window_geometry "$1"
    import -window "$1" "$shot"
    read -r top bottom < <(ink_bands "$shot" rows | tail -n 1)
    [ -n "$top" ] || fail "the message box shows no button"
    left=$(ink_bands "$shot" columns "${WIDTH}x$((bottom - top + 1))+0+$top" | head -n 1 | cut -d' ' -f1)
    right=$(ink_bands "$shot" columns "${WIDTH}x$((bottom - top + 1))+0+$top" | tail -n 1 | cut -d' ' -f2)
    click_at $((X + (left + right) / 2)) $((Y + (top + bottom) / 2)) 1
}

# --- journeys ---------------------------------------------------------------

# Started and unloaded within the first minute, never shown: the settings
# are only read (there is nothing to read), so no file is written.
first_start_writes_nothing() {
    start_varnel
    open_tray_menu
    choose_from_menu "$menu_cancel"
    kill -0 "$pid" 2>/dev/null || fail "Cancel ended the program"
    open_tray_menu
    choose_from_menu "$menu_unload"
    expect_exit "$pid" 5000
    [ ! -e "$settings" ] || fail "Varnel.INI was written"
    local left
    left=$(ls -A "$app_dir")
    [ "$left" = Varnel ] || fail "files left beside the program: $(echo "$left" | grep -vx Varnel | tr '\n' ' ')"
}

left_click_shows_window() {
    start_varnel
    [ -z "$(main_window "$pid" || true)" ] || fail "the window is shown at start"
    click_window "$icon" 1
    within 5000 main_window "$pid" >/dev/null || fail "a left click did not show the window"
    kill -0 "$pid" 2>/dev/null || fail "the program ended"
}

# With the window shown, "Unload" in the tray menu ends the program, takes
# the icon out of the tray and saves what changed since the start.
unload_from_tray_menu() {
    start_varnel
    click_window "$icon" 1
    within 5000 main_window "$pid" >/dev/null || fail "a left click did not show the window"
    open_tray_menu
    choose_from_menu "$menu_unload"
    expect_exit "$pid" 5000
    [ -z "$(visible_windows --class '^Varnel$' || true)" ] || fail "a window of Varnel is left"
    [ -s "$settings" ] || fail "Unload did not save the settings"
}

second_start_is_refused() {
    start_varnel
    local first=$pid first_icon=$icon box
    start_varnel --no-icon
    within 10000 new_toplevel "$pid" "" >/dev/null || fail "the second start shows no message"
    box=$(new_toplevel "$pid" "")
    [ "$(xdotool getwindowname "$box")" = Varnel ] || fail "the message box is not titled Varnel"
    [ -z "$(tray_icon_window "$pid" || true)" ] || fail "the second start put an icon in the tray"
    click_box_button "$box"
    expect_exit "$pid" 5000
    kill -0 "$first" 2>/dev/null || fail "the first instance ended"
    [ "$(tray_icon_window "$first")" = "$first_icon" ] || fail "the first instance lost its icon"
    [ ! -e "$settings" ] || fail "the second start wrote Varnel.INI"
}

# The session ending (SIGTERM) saves pending changes. The first showing of
# the window points the browser at the program's directory, a change the
# file must keep.
sigterm_saves() {
    start_varnel
    click_window "$icon" 1
    within 5000 main_window "$pid" >/dev/null || fail "a left click did not show the window"
    [ ! -e "$settings" ] || fail "Varnel.INI was written before any save was due"
    kill -TERM "$pid"
    expect_exit "$pid" 5000
    [ -s "$settings" ] || fail "SIGTERM did not save the settings"
    head -n 1 "$settings" | grep -q $'^WinTop=[0-9-]*\r$' ||
        fail "the first line is not WinTop= ending in CR LF: $(head -n 1 "$settings" | od -c | head -n 2)"
    awk '!/\r$/ { bare = 1 } END { exit bare }' "$settings" || fail "a line of Varnel.INI does not end in CR LF"
}

# No lock of any copy is left in the runtime folder.
no_lock_left() {
    local left
    left=$(find "$XDG_RUNTIME_DIR" -name '*.lock' 2>/dev/null)
    [ -z "$left" ] || fail "a lock was left behind: $left"
}

# A message box of PID over its shown window: both are titled Varnel, and
# the box is the lower of the two.
message_over_window() {
    local id X Y WIDTH HEIGHT box='' lowest=''
    [ "$(main_window "$1" | wc -l)" -ge 2 ] || return 1
    for id in $(main_window "$1"); do
        window_geometry "$id"
        if [ -z "$box" ] || ((HEIGHT < lowest)); then
            box=$id lowest=$HEIGHT
        fi
    done
    echo "$box"
}

# Sends SIGTERM to PID and waits for it to end well; sets ended_ms to the
# time that took.
terminate_and_time() {
    local started
    started=$(now_ms)
    kill -TERM "$1"
    expect_exit "$1" 5000
    ended_ms=$(($(now_ms) - started))
}

# A settings file that cannot be written when the session ends (here a link
# into a folder that is gone; a read-only file or a full disk fail alike):
# no box holds the end up, the tree goes to a recovery file in the state
# folder, and the lock goes. The next start tells of the file once, at the
# first showing of the window, since there is no desktop notice without a
# session bus.
sigterm_keeps_what_cannot_be_saved() {
    local kept box state=$HOME/.local/state/varnel
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\n' >"$settings"
    start_varnel
    click_window "$icon" 1
    within 5000 main_window "$pid" >/dev/null || fail "a left click did not show the window"
    ln -sfn "$xsession_dir/gone/Varnel.INI" "$settings"
    terminate_and_time "$pid"
    echo "ended ${ended_ms} ms after SIGTERM"
    ((ended_ms < 2000)) || fail "the end took ${ended_ms} ms"
    kept=$(find "$state" -name 'Varnel-recovery-*.INI' 2>/dev/null)
    [ "$(echo "$kept" | grep -c .)" -eq 1 ] || fail "no single recovery file in $state: $kept"
    grep -q $'^Node=Work\t' "$kept" || fail "the recovery file holds no tree: $(tr '\r\t' ' |' <"$kept")"
    grep -qF "$kept" "$xsession_dir/varnel-$instances.log" || fail "the log does not say where the settings went"
    no_lock_left

    rm "$settings"
    start_varnel
    click_window "$icon" 1
    within 5000 message_over_window "$pid" >/dev/null ||
        fail "the first showing tells nothing of the recovery file"
    box=$(message_over_window "$pid")
    click_box_button "$box"
    within 5000 eval "! visible_windows --pid $pid | grep -qx $box" || fail "the message box stayed open"
    unload_by_tray_menu
    start_varnel
    show_window
    sleep 1
    [ -z "$(message_over_window "$pid" || true)" ] || fail "the recovery file was told of again"
    unload_by_tray_menu
    no_lock_left
}

# Where the desktop has a notification service (tests/e2e/notification_host.py
# on a bus of the test's own), the next start tells of a recovery file by a
# notice, and the window shows no message; the start after that tells nothing.
recovery_told_by_a_notification() {
    local host_log=$xsession_dir/notices.log state=$HOME/.local/state/varnel
    start_bus_host "$host_log" notification_host.py
    mkdir -p "$state"
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\n' >"$state/Varnel-recovery-20260105-120000.INI"
    start_varnel
    within 5000 grep -q '^notice ' "$host_log" || fail "no notice came: $(cat "$host_log")"
    grep -q "^notice Varnel|.*|$state/Varnel-recovery-20260105-120000.INI|" "$host_log" ||
        fail "the notice does not name the file: $(cat "$host_log")"
    show_window
    sleep 1
    [ -z "$(message_over_window "$pid" || true)" ] || fail "the window told it again"
    unload_by_tray_menu
    start_varnel
    show_window
    unload_by_tray_menu
    [ "$(grep -c '^notice ' "$host_log")" -eq 1 ] || fail "told more than once: $(cat "$host_log")"
}

# SIGTERM to the whole process group, many times in a row, as timeout(1)
# and session managers send it: every run ends in order (exit status 0) and
# removes its lock, whether a save is due (the window was shown) or not.
group_sigterm_leaves_no_lock() {
    local run times=()
    for run in 1 2 3 4 5 6; do
        instances=$((instances + 1))
        # setsid: a process group of its own, led by the program itself.
        xsession_spawn "$xsession_dir/varnel-$instances.log" setsid "$app_dir/Varnel"
        pid=$xsession_last_pid
        within 10000 tray_icon_window "$pid" >/dev/null || fail "run $run: no tray icon appeared"
        icon=$(tray_icon_window "$pid")
        if ((run % 2 == 0)); then
            click_window "$icon" 1
            within 5000 main_window "$pid" >/dev/null || fail "run $run: the window did not show"
        fi
        local started
        started=$(now_ms)
        # Again and again until it is gone, so that signals come at every
        # step of the end: none may cut it short.
        while kill -TERM -- "-$pid" 2>/dev/null; do
            (($(now_ms) - started < 5000)) || fail "run $run: still running after 5 s of signals"
            sleep 0.002
        done
        expect_exit "$pid" 5000
        times+=("$(($(now_ms) - started))")
        no_lock_left
    done
    echo "ended ${times[*]} ms after the signals"
    [ -s "$settings" ] || fail "the settings were not saved"
}

# The window, shown by a left click on the icon; sets X and Y to its corner.
show_window() {
    local WIDTH HEIGHT
    click_window "$icon" 1
    within 5000 main_window "$pid" >/dev/null || fail "a left click did not show the window"
    window_geometry "$(main_window "$pid")"
    sleep 0.3
}

# The tree starts 200 pixels right of the window's corner and 8 down; a
# row is about 18 pixels high, a top-level label starts at about 45.
tree_at() { echo $((X + 200 + $1)) $((Y + 8 + $2)); }

unload_by_tray_menu() {
    open_tray_menu
    choose_from_menu "$menu_unload"
    expect_exit "$pid" 5000
}

# A right click on empty tree space, "New" > "Folder" > "At the begining"
# by the keyboard, a typed label: the new node is saved.
new_folder_from_the_menu() {
    start_varnel
    show_window
    xdotool mousemove $(tree_at 200 150) sleep 0.2 click 3 sleep 0.5
    xdotool key Down Return sleep 0.3 key Return sleep 0.3 key Return sleep 0.3
    xdotool type --delay 40 "Music"
    xdotool key Return sleep 0.3
    unload_by_tray_menu
    grep -q $'^Node=Music\t\tclosed\topen\tFalse\t0\tTrue\r$' "$settings" ||
        fail "the new folder is not saved: $(grep Node= "$settings" | od -c | head -n 3)"
}

# F2 renames the clicked node, Delete deletes the clicked one.
keys_rename_and_delete() {
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\nNode=Hosts\t/etc/hosts\tleaf\t\tFalse\t0\tFalse\r\n' >"$settings"
    start_varnel
    show_window
    xdotool mousemove $(tree_at 55 27) sleep 0.2 click 1 sleep 0.3 key F2 sleep 0.3
    xdotool type --delay 40 "Names"
    xdotool key Return sleep 0.3
    xdotool mousemove $(tree_at 55 9) sleep 0.2 click 1 sleep 0.3 key Delete sleep 0.3
    unload_by_tray_menu
    [ "$(grep -c '^Node=' "$settings")" -eq 1 ] && grep -q $'^Node=Names\t/etc/hosts\t' "$settings" ||
        fail "the tree was not renamed and cut as asked: $(grep Node= "$settings")"
}

# Delete on a folder of 1 000 nodes, then Ctrl+Z: the file unloaded holds
# every one of them again, as it was.
delete_and_undo_a_large_folder() {
    {
        printf 'Node=Big\t\tclosed\topen\tFalse\t0\tFalse\r\n'
        for i in $(seq 1 1000); do
            printf 'Node=Item %d\t/nowhere/item-%d.txt\tleaf\t\tFalse\t1\tFalse\r\n' "$i" "$i"
        done
        printf 'Node=Keep\t\tclosed\topen\tFalse\t0\tFalse\r\n'
    } >"$settings"
    local children
    children=$(grep -c $'\tleaf\t\tFalse\t1\tFalse\r$' "$settings")
    start_varnel
    show_window
    xdotool mousemove $(tree_at 45 9) sleep 0.2 click 1 sleep 0.3 key Delete sleep 0.5
    xdotool key ctrl+z sleep 0.5
    unload_by_tray_menu
    [ "$(grep -c '^Node=' "$settings")" -eq 1002 ] &&
        [ "$(grep -c $'\tleaf\t\tFalse\t1\tFalse\r$' "$settings")" -eq "$children" ] &&
        grep -q $'^Node=Item 1000\t/nowhere/item-1000.txt\tleaf\t\tFalse\t1\tFalse\r$' "$settings" &&
        grep -q $'^Node=Big\t\tclosed\topen\tFalse\t0\tTrue\r$' "$settings" ||
        fail "the folder did not come back whole: $(grep -c Node= "$settings") nodes; $(grep -m 3 Node= "$settings")"
}

# The browser opens on the program's directory. A double click on its
# subdirectory docs opens it, "View Files" in the directory list's menu shows
# its file; Unload keeps both.
browse_and_view_files() {
    mkdir -p "$app_dir/docs"
    : >"$app_dir/docs/readme.txt"
    start_varnel
    show_window
    # The directory list, inside its frame: /, tmp, the session's directory,
    # app, then docs, one band of ink a row.
    local left=$((X + 10)) top=$((Y + 42)) shot=$xsession_dir/list.png first last
    import -window root -crop "180x140+$left+$top" +repage "$shot"
    read -r first last < <(ink_bands "$shot" rows | sed -n 5p)
    [ -n "$first" ] || fail "the directory list does not show docs below the chain"
    xdotool mousemove $((left + 90)) $((top + (first + last) / 2)) sleep 0.2 click --repeat 2 --delay 80 1
    sleep 0.5
    xdotool click 3 sleep 0.5 key Down Down Return sleep 0.3
    unload_by_tray_menu
    grep -q "^DirPath=$app_dir/docs"$'\r$' "$settings" && grep -q $'^DirVis=False\r$' "$settings" ||
        fail "the browser's place is not saved: $(grep '^Dir' "$settings" | tr '\r\n' '  ')"
}

# Drags with the left button held: a press, a small move that starts the
# drag, a pause, the move in two steps, a pause over the target, the release.
drag_from_to() {
    xdotool mousemove "$1" "$2" sleep 0.2 mousedown 1 sleep 0.1 \
        mousemove $(($1 + 1)) $(($2 + 1)) sleep 0.3 \
        mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) sleep 0.2 \
        mousemove "$3" "$4" sleep 0.4 mouseup 1
}

# Drags from one point to another and chooses entry INDEX of the drop menu
# that opens there: inside, before, after, "Cancel".
drop_and_choose() {
    local before menu_entries=4
    before=$(toplevel_windows --pid "$pid" || true)
    drag_from_to "$@"
    within 5000 new_toplevel "$pid" "$before" >/dev/null || fail "no drop menu after the drag to $3 $4"
    menu=$(new_toplevel "$pid" "$before")
    choose_from_menu "$5"
    sleep 0.3
}

# The middle of row ROW (from 1) of the browser's visible list, as "x y".
browser_row() {
    local left=$((X + 10)) top=$((Y + 42)) shot=$xsession_dir/list.png first last
    import -window root -crop "180x140+$left+$top" +repage "$shot"
    read -r first last < <(ink_bands "$shot" rows | sed -n "$1p")
    [ -n "$first" ] || fail "the browser's list has no row $1"
    echo $((left + 90)) $((top + (first + last) / 2))
}

# A directory from the directory list copied inside a folder, a file from
# the file list copied after an item, then a folder moved after an item of
# the tree: the settings file holds the tree they make.
drag_onto_the_tree() {
    local data=$app_dir/data
    mkdir -p "$data/Alpha"
    : >"$data/notes.txt"
    # Path=False: a copy from the browser is the single node, not the chain.
    printf 'Path=False\r\nDirPath=%s\r\nDirVis=True\r\nNode=Music\t/usr/share\tclosed\topen\tFalse\t0\tFalse\r\nNode=Hosts\t/etc/hosts\tleaf\t\tFalse\t0\tFalse\r\n' \
        "$data" >"$settings"
    start_varnel
    show_window
    # The directory list shows /, tmp, the session's directory, app, data,
    # then Alpha; the tree Music, then Hosts.
    drop_and_choose $(browser_row 6) $(tree_at 45 9) 0
    # Music opened to show Alpha: Hosts is now the third row.
    xdotool mousemove $(browser_row 3) sleep 0.2 click 3 sleep 0.5 key Down Down Return sleep 0.5
    drop_and_choose $(browser_row 1) $(tree_at 45 45) 2
    drop_and_choose $(tree_at 45 9) $(tree_at 45 45) 2
    unload_by_tray_menu
    local tree
    tree=$(awk -F'\t' '/^Node=/ { printf "%s|%s|%s;", $1, $2, $6 }' "$settings")
    [ "$tree" = "Node=Hosts|/etc/hosts|0;Node=Music|/usr/share|0;Node=Alpha|$data/Alpha|2;Node=notes.txt|$data/notes.txt|0;" ] ||
        fail "the drags made the tree: $tree"
}

# Drags the files given from another program (tests/e2e/uri_drag_source.cpp,
# at the screen's top left corner) to a point of the screen.
drop_from_another_program() {
    local to_x=$1 to_y=$2 source X Y WIDTH HEIGHT
    shift 2
    [ -x "${URI_DRAG_SOURCE:-}" ] || fail "URI_DRAG_SOURCE does not name the drag source program"
    xsession_spawn "$xsession_dir/source.log" "$URI_DRAG_SOURCE" "$@"
    within 5000 toplevel_windows --pid "$xsession_last_pid" >/dev/null ||
        fail "the drag source shows no window"
    source=$(toplevel_windows --pid "$xsession_last_pid" | head -n 1)
    window_geometry "$source"
    sleep 0.3
    drag_from_to $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) "$to_x" "$to_y"
}

# A file dragged from another program (tests/e2e/uri_drag_source.cpp, at the
# screen's top left corner) onto the empty tree space below the last row
# becomes the last top-level item, labelled without its extensions; Unload
# keeps it.
drop_a_file_from_another_program() {
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\n' >"$settings"
    local file=$xsession_dir/report.final.txt
    : >"$file"
    start_varnel
    show_window
    drop_from_another_program $(tree_at 100 150) "$file"
    sleep 0.5
    unload_by_tray_menu
    grep '^Node=' "$settings" | tail -n 1 | grep -q $'^Node=report\t'"$file"$'\t' ||
        fail "the dropped file is not the last node: $(grep Node= "$settings" | tr '\r\t' ' |')"
}

# A link dragged from a browser-like program (text/uri-list, text/x-moz-url
# with its title) onto the empty tree space becomes the last top-level item,
# labelled by the page's title; the tray menu's Quick List, opened while the
# window was never shown, shows every entry with its picture. Unload keeps
# the address exactly.
drop_a_web_address_and_see_the_quick_list() {
    printf '%s\r\n' $'Node=Work\t/tmp\tclosed\topen\tFalse\t0\tFalse' \
        $'Node=Hosts\t/etc/hosts\t7\t\tFalse\t0\tFalse' \
        $'Node=Example\thttps://example.org/\t7\t\tFalse\t0\tFalse' \
        '[QuickList]' $'QLI=Work\t/tmp' $'QLI=Hosts\t/etc/hosts' \
        $'QLI=Example\thttps://example.org/' >"$settings"
    start_varnel
    open_tray_menu
    within 5000 menu_painted || fail "the tray menu does not show $menu_entries entries"
    local X Y WIDTH HEIGHT first last before submenu
    window_geometry "$menu"
    read -r first last < <(menu_entry_bands "$menu" | sed -n 2p)
    before=$(toplevel_windows --pid "$pid")
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 2 + (first + last) / 2))
    within 5000 new_toplevel "$pid" "$before" >/dev/null || fail "the Quick List did not open"
    submenu=$(new_toplevel "$pid" "$before")
    sleep 0.5
    # QUICK_LIST_SHOT and DROP_SHOT, when set, name pictures of the screen
    # to take for a reader: the Quick List open, the tree after the drop.
    [ -n "${QUICK_LIST_SHOT:-}" ] && screenshot "$QUICK_LIST_SHOT"
    # Three entries, each with a picture left of its caption: ink in the
    # picture's column on each entry's band.
    [ "$(menu_entry_bands "$submenu" | wc -l)" -eq 3 ] ||
        fail "the Quick List does not show three entries"
    xdotool key Escape sleep 0.2 key Escape sleep 0.3
    show_window
    drop_from_another_program $(tree_at 100 150) "https://example.org/docs/a%20b?q=1#top Example Docs"
    sleep 0.5
    [ -n "${DROP_SHOT:-}" ] && screenshot "$DROP_SHOT"
    unload_by_tray_menu
    grep '^Node=' "$settings" | tail -n 1 |
        grep -qF $'Node=Example Docs\thttps://example.org/docs/a%20b?q=1#top\t' ||
        fail "the dropped address is not the last node: $(grep Node= "$settings" | tr '\r\t' ' |')"
}

# Waits for the box that refuses a path, opened since the top-level windows
# BEFORE were listed, and closes it with its button.
close_refusal() {
    local box
    within 5000 new_toplevel "$pid" "$1" >/dev/null || fail "no message box refused the path"
    box=$(new_toplevel "$pid" "$1")
    [[ $(xdotool getwindowname "$box") == "Path Error"* ]] ||
        fail "the box is titled $(xdotool getwindowname "$box")"
    sleep 0.3
    click_box_button "$box"
    within 5000 eval "! visible_windows --pid $pid | grep -qx $box" || fail "the box stayed open"
}

# A directory whose name ends in a blank, highlighted in the browser before
# a node of the tree is clicked, is copied with its own path, blank and all.
# A file whose name is not UTF-8 (listed all the same), dragged from the
# file list or dropped from another program, is refused with a message box;
# nothing is stored for it.
odd_names_are_kept_or_refused() {
    local data=$app_dir/data before
    mkdir -p "$data/name "
    : >"$data/bad"$'\xff'".txt"
    printf 'Path=False\r\nDirPath=%s\r\nDirVis=True\r\nNode=Music\t/usr/share\tclosed\topen\tFalse\t0\tFalse\r\n' \
        "$data" >"$settings"
    start_varnel
    show_window
    # The directory list shows /, tmp, the session's directory, app, data,
    # then "name ".
    xdotool mousemove $(browser_row 6) sleep 0.2 click 1 sleep 0.3
    xdotool mousemove $(tree_at 45 9) sleep 0.2 click 1 sleep 0.3
    drop_and_choose $(browser_row 6) $(tree_at 45 9) 0
    xdotool mousemove $(browser_row 5) sleep 0.2 click 3 sleep 0.5 key Down Down Return sleep 0.5
    before=$(toplevel_windows --pid "$pid")
    drag_from_to $(browser_row 1) $(tree_at 100 150)
    close_refusal "$before"
    before=$(toplevel_windows --pid "$pid")
    drop_from_another_program $(tree_at 100 150) "$data/bad"$'\xff'".txt"
    close_refusal "$before"
    unload_by_tray_menu
    local tree
    tree=$(awk -F'\t' '/^Node=/ { printf "%s|%s|%s;", $1, $2, $6 }' "$settings")
    # A path that ends in a blank is kept in quotes, which reading removes.
    [ "$tree" = "Node=Music|/usr/share|0;Node=name |\"$data/name \"|1;" ] ||
        fail "the tree was made: $tree"
}

# A tray host on the session bus (tests/e2e/sni_host.py) takes the item,
# reads its menu before and after AboutToShow (the quick list's captions as
# written, the numbers unchanged, the picture of the entry whose node is in
# the tree as icon-data), activates it (the window shows) and
# chooses "Unload" (the program ends and saves). With LATE, the host comes
# after the program: the item still goes to it.
sni_host_drives_the_item() {
    local late=${1:-0} host_log=$xsession_dir/host.log line
    require_python_bus
    xsession_start_bus
    printf 'Node=R&D\t/tmp\tclosed\topen\tFalse\t0\tFalse\r\nQLI=R&D\t/tmp\r\nQLI=my_notes.txt\t/etc/hosts\r\nQLI=Tom && Jerry\t/\r\nQLI=-\t/\r\n' >"$settings"
    /usr/bin/python3 "$here/sni_host.py" "$xsession_dir" "$late" >"$host_log" 2>&1 &
    xsession_pids+=($!)
    start_varnel --no-icon
    within 15000 grep -q '^activated$' "$host_log" || fail "the host did not get to activate: $(cat "$host_log")"
    grep -q '^FAIL' "$host_log" && fail "$(cat "$host_log")"
    line=$(grep '^after ' "$host_log")
    [[ $line == *"|Quick List|R&D|my_notes.txt|Tom && Jerry|-|Empty|"* ]] ||
        fail "the quick list reached the host as: $line"
    # Only the entry whose node is in the tree has a picture, sent as PNG.
    grep -qx 'pictures R&D=16x16' "$host_log" || fail "the pictures reached the host as: $(grep '^pictures' "$host_log")"
    grep -qx 'title Varnel' "$host_log" || fail "the item's title is not Varnel"
    within 5000 main_window "$pid" >/dev/null || fail "Activate did not show the window"
    touch "$xsession_dir/proceed"
    within 5000 grep -q '^unload$' "$host_log" || fail "the host could not choose Unload"
    expect_exit "$pid" 5000
    grep -q $'^QLI=my_notes.txt\t/etc/hosts\r$' "$settings" || fail "Unload did not save the settings"
}

sni_host_menu() { sni_host_drives_the_item 0; }
sni_host_starts_late() { sni_host_drives_the_item 1.5; }

# F2 on Work, blanks, Return: the box is titled "Entry Error" and nothing
# more. A click on Hosts then opens Work's label again instead of selecting
# Hosts, and Escape ends it: Unload keeps both labels and the quick list.
refused_label_keeps_its_node() {
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\nNode=Hosts\t/etc/hosts\tleaf\t\tFalse\t0\tFalse\r\nQLI=Hosts\t/etc/hosts\r\n' >"$settings"
    start_varnel
    show_window
    local before box title
    xdotool mousemove $(tree_at 55 9) sleep 0.2 click 1 sleep 0.3 key F2 sleep 0.3
    xdotool key ctrl+a type --delay 40 "   "
    before=$(toplevel_windows --pid "$pid" || true)
    xdotool key Return
    within 5000 new_toplevel "$pid" "$before" >/dev/null || fail "a blank label shows no message"
    box=$(new_toplevel "$pid" "$before")
    title=$(xdotool getwindowname "$box")
    [ "$title" = "Entry Error" ] || fail "the message box is titled \"$title\""
    click_box_button "$box"
    within 5000 eval "! visible_windows --pid $pid | grep -qx $box" || fail "the message box stayed open"
    xdotool mousemove $(tree_at 55 27) sleep 0.2 click 1 sleep 0.3 key Escape sleep 0.3
    unload_by_tray_menu
    local kept
    kept=$(grep -E '^(Node|QLI)=' "$settings" | tr -d '\r' | cut -f1,2 | tr '\t\n' '| ')
    [ "$kept" = "Node=Work| Node=Hosts|/etc/hosts QLI=Hosts|/etc/hosts " ] ||
        fail "the labels are not kept: $kept"
}

# A Varnel.INI that the user put beside the program (a stick) is read and
# written there, its backups beside it, and nothing else is: neither the
# configuration folder nor a lock beside it.
settings_beside_the_program() {
    rmdir "$XDG_CONFIG_HOME/varnel"
    settings=$app_dir/Varnel.INI
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\n' >"$settings"
    start_varnel
    show_window
    unload_by_tray_menu
    grep -q $'^WinTop=' "$settings" && grep -q $'^Node=Work\t' "$settings" ||
        fail "the file beside the program was not saved: $(tr '\r\t' ' |' <"$settings")"
    [ ! -e "$XDG_CONFIG_HOME/varnel" ] || fail "the configuration folder was used"
    [ "$(ls -A "$app_dir" | tr '\n' ' ')" = "Varnel Varnel.INI backups " ] ||
        fail "files beside the program: $(ls -A "$app_dir" | tr '\n' ' ')"
    # The save changed the file: the day's backup holds it as it was.
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\n' |
        cmp -s - "$app_dir/backups/Varnel-$(date +%Y-%m-%d).INI" ||
        fail "the day's backup does not hold the file as it was"
}

# The settings folder removed while a copy runs takes no lock with it: a
# second start is still refused, and the first makes the folder again when
# it saves.
settings_folder_removed_while_running() {
    printf 'Hide=False\r\n' >"$settings"
    start_varnel
    local first=$pid first_icon=$icon box
    show_window
    rm -rf "$XDG_CONFIG_HOME/varnel"
    start_varnel --no-icon
    within 10000 new_toplevel "$pid" "" >/dev/null || fail "the second start shows no message"
    box=$(new_toplevel "$pid" "")
    click_box_button "$box"
    expect_exit "$pid" 5000
    pid=$first icon=$first_icon
    unload_by_tray_menu
    grep -q $'^Hide=False\r$' "$settings" || fail "the first copy did not save into a new settings folder"
}

# Where the desktop portal offers global shortcuts (tests/e2e/portal_host.py
# on a bus of the test's own), the running copy asks for the Quick List's
# key; a second start, refused, asks the desktop nothing; a later run finds
# the key bound and does not ask for it again.
quick_list_key_from_the_portal() {
    local host_log=$xsession_dir/portal.log first first_icon box
    start_bus_host "$host_log" portal_host.py
    start_varnel
    first=$pid first_icon=$icon
    within 10000 grep -q '^bind ' "$host_log" || fail "no key was asked for: $(cat "$host_log")"
    grep -qx 'bind quick-list|Show the Quick List' "$host_log" ||
        fail "the key asked for is not the Quick List's: $(cat "$host_log")"
    start_varnel --no-icon
    within 10000 new_toplevel "$pid" "" >/dev/null || fail "the second start shows no message"
    box=$(new_toplevel "$pid" "")
    click_box_button "$box"
    expect_exit "$pid" 5000
    [ "$(grep -c '^session$' "$host_log")" -eq 1 ] || fail "the refused start asked the desktop"
    pid=$first icon=$first_icon
    unload_by_tray_menu
    start_varnel
    within 10000 eval '[ "$(grep -c "^list$" "$host_log")" -eq 2 ]' ||
        fail "the later run did not look for its key: $(cat "$host_log")"
    unload_by_tray_menu
    [ "$(grep -c '^bind ' "$host_log")" -eq 1 ] || fail "the key was asked for again: $(cat "$host_log")"
}

# Starts the program again with ARGS while a copy runs, as a second
# process; it must end by itself (a box would hold it up). Sets status and
# took_ms; its output goes to second.log.
second_start() {
    local started
    started=$(now_ms)
    status=0
    timeout 20 "$app_dir/Varnel" "$@" >"$xsession_dir/second.log" 2>&1 || status=$?
    took_ms=$(($(now_ms) - started))
}

require_bus() {
    command -v dbus-daemon >/dev/null || { echo "SKIP: dbus-daemon is not installed" >&2; exit 77; }
}

# What the stand-ins for the desktop's services on the bus are written in.
require_python_bus() {
    require_bus
    /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "SKIP: python3-dbus is not installed" >&2; exit 77; }
}

# A private session bus with a stand-in service of the desktop on it (a
# Python program of tests/e2e), once it says it is ready.
#   start_bus_host LOG SCRIPT [ARGS...]
start_bus_host() {
    local log=$1 script=$2
    shift 2
    require_python_bus
    xsession_start_bus
    /usr/bin/python3 "$here/$script" "$@" >"$log" 2>&1 &
    xsession_pids+=($!)
    within 10000 grep -q '^ready$' "$log" || fail "$script did not start: $(cat "$log")"
}

# A copy with no tray, on a session bus of the test's own: its window is the
# way in. Minimised (tests/e2e/wm_state.py does what a window manager would),
# it comes back up when another process asks with --show, and again when the
# program is simply started a second time; neither start shows a box, and
# each ends at once. The caller's activation token reaches the running copy
# (which, on X11, can only log it).
bus_brings_a_minimised_window_back() {
    require_bus
    xsession_start_bus
    xsession_stop_tray || fail "trayer did not end"
    QT_LOGGING_RULES=varnel.activation.debug=true start_varnel --no-icon
    local window how
    within 10000 main_window "$pid" >/dev/null || fail "without a tray the window did not show"
    window=$(main_window "$pid")
    for how in --show bare; do
        /usr/bin/python3 "$here/wm_state.py" iconic "$window"
        within 5000 eval "! main_window $pid >/dev/null" || fail "the window was not minimised"
        sleep 0.2
        if [ "$how" = bare ]; then
            second_start
        else
            XDG_ACTIVATION_TOKEN=token-of-the-caller second_start "$how"
        fi
        echo "$how: status $status after ${took_ms} ms"
        ((status == 0)) || fail "$how ended with status $status: $(cat "$xsession_dir/second.log")"
        ((took_ms < 5000)) || fail "$how took ${took_ms} ms"
        within 5000 main_window "$pid" >/dev/null || fail "$how did not bring the window back"
        /usr/bin/python3 "$here/wm_state.py" normal "$window"
    done
    [ "$(main_window "$pid")" = "$window" ] || fail "another window than the main one is shown"
    grep -q 'startup id "token-of-the-caller"' "$xsession_dir/varnel-$instances.log" ||
        fail "the caller's token did not reach the running copy"
}

# The lock is held but there is no session bus to reach the copy that holds
# it: a switch ends at once with status 1 and says why on standard error,
# without a box; the running copy goes on.
switch_without_a_bus_fails() {
    start_varnel
    second_start --show
    echo "status $status after ${took_ms} ms: $(cat "$xsession_dir/second.log")"
    ((status == 1)) || fail "--show ended with status $status"
    grep -q "^varnel: .*cannot be reached" "$xsession_dir/second.log" ||
        fail "no line on standard error says why: $(cat "$xsession_dir/second.log")"
    kill -0 "$pid" 2>/dev/null || fail "the running copy ended"
    [ -z "$(main_window "$pid" || true)" ] || fail "the running copy showed its window"
}

# With a tray and a session bus: --show from another process shows the
# window that waits in the tray, and a bare second start is still told that
# the program is in the tray.
bus_show_from_the_tray() {
    require_bus
    xsession_start_bus
    start_varnel
    local first=$pid box
    second_start --show
    ((status == 0)) || fail "--show ended with status $status: $(cat "$xsession_dir/second.log")"
    within 5000 main_window "$first" >/dev/null || fail "--show did not show the window"
    xsession_spawn "$xsession_dir/bare.log" "$app_dir/Varnel"
    pid=$xsession_last_pid
    within 10000 new_toplevel "$pid" "" >/dev/null || fail "the bare second start shows no message"
    box=$(new_toplevel "$pid" "")
    [ "$(xdotool getwindowname "$box")" = Varnel ] || fail "the message box is not titled Varnel"
    click_box_button "$box"
    expect_exit "$pid" 5000
    kill -0 "$first" 2>/dev/null || fail "the first instance ended"
}

# The name on the bus held by another program that keeps it: the copy says
# so in its log and runs on as usual; a switch then finds no copy of ours
# there and ends with status 1.
bus_name_held_by_another_program() {
    local holder_log=$xsession_dir/holder.log
    require_python_bus
    xsession_start_bus
    /usr/bin/python3 -c '
import dbus, dbus.mainloop.glib
from gi.repository import GLib
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
bus.request_name("org.varnel.Varnel", dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
print("ready", flush=True)
GLib.MainLoop().run()' >"$holder_log" 2>&1 &
    xsession_pids+=($!)
    within 10000 grep -q '^ready$' "$holder_log" || fail "the holder did not start: $(cat "$holder_log")"
    start_varnel
    grep -q "org.varnel.Varnel.*held by another program" "$xsession_dir/varnel-$instances.log" ||
        fail "the log does not say the name is taken: $(cat "$xsession_dir/varnel-$instances.log")"
    second_start --show
    ((status == 1)) || fail "--show ended with status $status: $(cat "$xsession_dir/second.log")"
    ((took_ms < 5000)) || fail "--show took ${took_ms} ms"
    kill -0 "$pid" 2>/dev/null || fail "the running copy ended"
}

# A stand-in for xdg-open, first on the program's PATH: it writes what it is
# given, one line a call, to opened.txt in the session's directory, and says
# it opened it. Sets opened to that file.
stand_in_opener() {
    opened=$xsession_dir/opened.txt
    mkdir -p "$xsession_dir/bin"
    # shellcheck disable=SC2016 # $1 is the script's own argument
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$opened" >"$xsession_dir/bin/xdg-open"
    chmod +x "$xsession_dir/bin/xdg-open"
    export PATH=$xsession_dir/bin:$PATH
}

# The pop-up: a top-level window of the running copy that is not the main
# one (which stays hidden in the tray here).
popup_window() { toplevel_windows --pid "$pid" | grep -vx "$(main_window "$pid" || echo none)"; }

# Starts the program again with ARGS (--popup or --find TEXT), which must
# end at once with no box; sets popup to the window it opened.
summon_popup() {
    second_start "$@"
    echo "$*: status $status after ${took_ms} ms"
    ((status == 0)) || fail "$* ended with status $status: $(cat "$xsession_dir/second.log")"
    ((took_ms < 5000)) || fail "$* took ${took_ms} ms"
    within 5000 popup_window >/dev/null || fail "$* opened no pop-up"
    popup=$(popup_window | head -n 1)
    # It takes the keyboard: no click into it is needed to type.
    within 5000 popup_has_focus || fail "$* did not give the pop-up the keyboard focus"
    # Nothing else of the program, neither a box nor the main window, came up.
    [ "$(toplevel_windows --pid "$pid" | wc -l)" -eq 1 ] || fail "$* opened more than the pop-up"
}

popup_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$popup" ]; }

popup_gone() { ! visible_windows --pid "$pid" | grep -qx "$popup"; }

# Whether the stand-in opener has been called COUNT times.
opened_count_is() { [ -f "$opened" ] && [ "$(wc -l <"$opened")" -eq "$1" ]; }

# With the program in the tray and on a bus of the test's own, --popup from
# another process opens the pop-up; "repo" typed and Return opens the file of
# "Report 2024". --find TEXT opens it with TEXT typed: Down moves from the
# quick list's match to the tree's, which Return opens. Escape closes it,
# opening nothing.
popup_opens_what_is_typed() {
    require_bus
    xsession_start_bus
    stand_in_opener
    local report="$xsession_dir/Report 2024.txt" minutes="$xsession_dir/Meeting minutes.txt"
    : >"$report"
    : >"$minutes"
    {
        printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\n'
        printf 'Node=Tax return\t/etc/hosts\tleaf\t\tFalse\t1\tFalse\r\n'
        printf 'Node=Report 2024\t%s\tleaf\t\tFalse\t1\tFalse\r\n' "$report"
        printf 'Node=Meeting minutes\t%s\tleaf\t\tFalse\t1\tFalse\r\n' "$minutes"
        printf 'QLI=Minutes 2023\t/etc/hosts\r\n'
    } >"$settings"
    start_varnel
    local url_of_report="file://$xsession_dir/Report%202024.txt"
    local url_of_minutes="file://$xsession_dir/Meeting%20minutes.txt"

    summon_popup --popup
    xdotool type --delay 40 repo
    xdotool key Return
    within 5000 opened_count_is 1 || fail "Return opened nothing"
    [ "$(sed -n 1p "$opened")" = "$url_of_report" ] || fail "Return opened $(sed -n 1p "$opened")"
    within 5000 popup_gone || fail "the pop-up stayed open after Return"

    # The quick list's match comes first; the tree's is the row below it.
    summon_popup --find minu
    xdotool key Down Return
    within 5000 opened_count_is 2 || fail "Return after --find opened nothing"
    [ "$(sed -n 2p "$opened")" = "$url_of_minutes" ] || fail "--find minu opened $(sed -n 2p "$opened")"
    within 5000 popup_gone || fail "the pop-up stayed open after Return"

    summon_popup --popup
    xdotool key Escape
    within 5000 popup_gone || fail "Escape did not close the pop-up"
    kill -0 "$pid" 2>/dev/null || fail "the running copy ended"
    # A choice reaches the opener a quarter second after it is made: nothing
    # can be waited for here, so give a wrongful one the time to show.
    sleep 0.6
    opened_count_is 2 || fail "Escape opened something: $(tail -n 1 "$opened")"
}

# Through the accessibility bus, as a screen reader reads the window: every
# control by its name, the tree's nodes nested under their folders (not a
# flat table with a header), the focus on the node clicked, and a folder
# opened by the reader's own "toggle" saying it is expanded.
screen_reader_reads_the_tree() {
    require_bus
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed" >&2; exit 77; }
    printf 'Node=Work\t\tclosed\topen\tFalse\t0\tFalse\r\nNode=Hosts\t/etc/hosts\tleaf\t\tFalse\t1\tFalse\r\nNode=Inner\t\tclosed\topen\tFalse\t1\tFalse\r\nNode=Deep\t/etc/fstab\tleaf\t\tFalse\t3\tFalse\r\nNode=Notes\t/etc/os-release\tleaf\t\tFalse\t0\tFalse\r\n' >"$settings"
    xsession_start_bus
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_varnel
    show_window
    xdotool mousemove $(tree_at 30 9) sleep 0.2 click 1 sleep 0.3
    local read=$xsession_dir/atspi.txt line
    timeout 60 /usr/bin/python3 "$here/atspi_tree.py" >"$read" 2>&1 || fail "the accessibility bus could not be read: $(cat "$read")"
    cat "$read"
    for line in "control combo-box Drive" "control list Folders" "control list Files" \
        "control tree Shortcuts" "control label Path" "control status-bar Status" \
        "tree Work[Hosts,Inner[Deep]],Notes" "links ok" "focused Work" "toggled expanded"; do
        grep -qxF "$line" "$read" || fail "the screen reader did not read \"$line\""
    done
}

# Shift+F10 and, within a second and a half, the menu that opens; sets menu
# to its window, or fails with WHAT unless told "--maybe".
menu_by_key() {
    local before
    before=$(toplevel_windows --pid "$pid" || true)
    xdotool key shift+F10
    if ! within 1500 new_toplevel "$pid" "$before" >/dev/null; then
        [ "$1" = --maybe ] && return 1
        fail "Shift+F10 opened no menu for $1"
    fi
    menu=$(new_toplevel "$pid" "$before")
}

# Picks entry N (from 1, counting only entries that can be chosen) of the
# menu open from the keyboard and waits for the menu to close.
pick_by_keys() {
    local keys
    keys=$(printf 'Down %.0s' $(seq 1 "$1"))
    # shellcheck disable=SC2086 # one key a word
    xdotool key --delay 60 $keys Return
    within 5000 eval "! visible_windows --pid $pid | grep -qx $menu" || fail "the menu stayed open"
    sleep 0.3
}

# Everything from the keyboard once the window is shown: Tab into the
# directory list; Shift+F10 and "View Files", Shift+F10 and "View
# Directories", and the files again. In the tree, "Cut" on Hosts and "Paste
# After" on Music; back in the file list, "Add to Tree" of notes.txt after
# the node selected, Hosts; "Unload" from the tree's menu. The settings file
# holds the tree. Menus opened from the keyboard have no entry active: Down
# goes to the first entry that can be chosen, and on past greyed ones.
keys_add_cut_and_paste() {
    local data=$app_dir/data
    mkdir -p "$data"
    : >"$data/notes.txt"
    # Path=False: "Add to Tree" copies the single node, not the chain.
    printf 'Path=False\r\nDirPath=%s\r\nDirVis=True\r\nNode=Music\t/usr/share\tclosed\topen\tFalse\t0\tTrue\r\nNode=Hosts\t/etc/hosts\tleaf\t\tFalse\t0\tFalse\r\n' \
        "$data" >"$settings"
    start_varnel
    show_window
    xdotool windowfocus --sync "$(main_window "$pid")" sleep 0.3
    # Tab until the directory list has the focus, wherever the window put it
    # first: its menu (Explore, View Files, Add to Tree, Cancel) has four
    # entries.
    local menu_entries=4 tries=0
    while :; do
        tries=$((tries + 1))
        [ "$tries" -le 4 ] || fail "Tab did not reach the directory list"
        xdotool key Tab sleep 0.3
        menu_by_key --maybe || continue
        within 3000 menu_painted && break
        xdotool key Escape sleep 0.3
    done
    pick_by_keys 2 # View Files
    menu_by_key "the file list"
    pick_by_keys 2 # View Directories
    menu_by_key "the directory list, again"
    pick_by_keys 2 # View Files
    # The tree after the file list: Music (current), Hosts. Nothing to undo
    # yet, so the menu's first entries that can be chosen are New, Modify
    # Path, Rename, Cut, then on a node once cut Paste Inside, Before, After.
    xdotool key Tab sleep 0.3 key Down sleep 0.3
    menu_by_key "the tree"
    pick_by_keys 4 # Cut
    xdotool key Up sleep 0.3
    menu_by_key "the tree, again"
    pick_by_keys 7 # Paste After
    # Back in the file list: "Add to Tree" opens the drop menu at Hosts, an
    # item: Copy Before The Item, Copy After The Item, Cancel.
    xdotool key shift+Tab sleep 0.3
    menu_by_key "the file list, again"
    local before
    before=$(toplevel_windows --pid "$pid" || true)
    pick_by_keys 3 # Add to Tree
    within 5000 new_toplevel "$pid" "$before" >/dev/null || fail "Add to Tree showed no drop menu"
    menu=$(new_toplevel "$pid" "$before")
    pick_by_keys 2 # Copy After The Item
    xdotool key Tab sleep 0.3
    menu_by_key "the tree, to unload"
    xdotool key Up Up Return # Unload, above Cancel
    expect_exit "$pid" 5000
    local tree
    tree=$(awk -F'\t' '/^Node=/ { printf "%s|%s|%s;", $1, $2, $6 }' "$settings")
    [ "$tree" = "Node=Music|/usr/share|0;Node=Hosts|/etc/hosts|0;Node=notes.txt|$data/notes.txt|0;" ] ||
        fail "the keys made the tree: $tree"
    grep -q $'^DirVis=False\r$' "$settings" || fail "the file list is not the one saved showing"
}

# The file:// address of a path, each byte but the unreserved ones and "/"
# escaped.
file_uri_of() {
    local LC_ALL=C path=$1 out= c i
    for ((i = 0; i < ${#path}; i++)); do
        c=${path:i:1}
        case $c in
        [a-zA-Z0-9/._~-]) out+=$c ;;
        *) printf -v c '%%%02X' "'$c" && out+=$c ;;
        esac
    done
    echo "file://$out"
}

# The nodes of the settings file as "label|path|level;" in their order.
node_places() { awk -F'\t' '/^Node=/ { printf "%s|%s|%s;", $1, $2, $6 }' "$settings"; }

# An item dragged out of the window onto another program
# (tests/e2e/uri_drop_target.cpp, at the screen's top left corner) offers
# its file:// address to copy or link, never to move; a folder without a
# path offers the program nothing it could take. Neither drop opens a menu
# or changes the tree.
drag_a_node_out_of_the_window() {
    [ -x "${URI_DROP_TARGET:-}" ] || fail "URI_DROP_TARGET does not name the drop target program"
    local file="$xsession_dir/a report 100% ü.txt" log=$xsession_dir/drops.log target before
    local X Y WIDTH HEIGHT lines nodes from_x from_y to_x to_y
    : >"$file"
    printf 'Node=Report\t%s\tleaf\t\tFalse\t0\tFalse\r\nNode=Empty\t\tclosed\topen\tFalse\t0\tFalse\r\n' \
        "$file" >"$settings"
    nodes=$(node_places)
    xsession_spawn "$xsession_dir/target.log" "$URI_DROP_TARGET" "$log"
    within 5000 toplevel_windows --pid "$xsession_last_pid" >/dev/null ||
        fail "the drop target shows no window"
    target=$(toplevel_windows --pid "$xsession_last_pid" | head -n 1)
    start_varnel
    show_window
    from_x=$X from_y=$Y
    window_geometry "$target"
    to_x=$((X + WIDTH / 2)) to_y=$((Y + HEIGHT / 2))
    X=$from_x Y=$from_y
    before=$(toplevel_windows --pid "$pid")
    drag_from_to $(tree_at 45 9) "$to_x" "$to_y"
    within 5000 test -s "$log" || fail "the drop target was given nothing"
    drag_from_to $(tree_at 45 27) "$to_x" "$to_y"
    sleep 0.5
    [ -z "$(new_toplevel "$pid" "$before")" ] || fail "a drop outside opened a window of Varnel"
    lines=$(cat "$log")
    [[ $(head -n 1 "$log") == "formats="*text/uri-list*" possible=copy,link proposed=copy uris=$(file_uri_of "$file")" ]] ||
        fail "the item offered: $lines"
    # The folder's drop is taken for the window's own type, or not at all.
    case $(sed -n 2p "$log") in
    *text/uri-list* | *file:*) fail "the folder without a path offered: $lines" ;;
    esac
    unload_by_tray_menu
    [ "$(node_places)" = "$nodes" ] || fail "the drags out changed the tree: $(node_places)"
}

# ---------------------------------------------------------------------------

declare -F "$journey" >/dev/null || { echo "unknown journey: $journey" >&2; exit 2; }
xsession_require_tools
trap on_exit EXIT
xsession_start
prepare_program
"$journey"
echo "PASS: $journey"
