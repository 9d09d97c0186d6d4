# A throw-away X session for driving Varnel with a real mouse: Xvfb on a free
# display, trayer as the tray host, and helpers to find and click windows.
# Sourced by the journeys and by bench/footprint.sh; needs bash.
#
# Everything started here is recorded and ended by xsession_end, which the
# caller runs from an EXIT trap.

xsession_pids=()
xsession_dir=
xsession_last_pid=
xsession_tray_pid=

# Exits with 77 (CTest's "skipped") when a tool of the session is missing.
xsession_require_tools() {
    local tool
    for tool in Xvfb xdotool trayer import convert od; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
    done
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# within MILLISECONDS COMMAND...: runs COMMAND every 20 ms until it succeeds;
# fails when it has not succeeded in time.
within() {
    local deadline=$(($(now_ms) + $1))
    shift
    until "$@"; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.02
    done
}

# Starts Xvfb and trayer, and a private home, runtime and config directory so
# nothing of the user's desktop leaks in. Sets DISPLAY and xsession_dir.
xsession_start() {
    xsession_dir=$(mktemp -d "${TMPDIR:-/tmp}/varnel-x.XXXXXX")
    mkdir -m 700 "$xsession_dir/run" "$xsession_dir/home"
    export HOME=$xsession_dir/home XDG_RUNTIME_DIR=$xsession_dir/run
    export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
    # Without a session bus Qt uses the X tray protocol that trayer speaks,
    # and no bus daemon is started behind our back.
    export DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY QT_SCALE_FACTOR

    xsession_start_x || { echo "Xvfb did not start" >&2; cat "$xsession_dir/xvfb.log" >&2; return 1; }

    trayer --edge top --align right --widthtype request --height 32 \
        >"$xsession_dir/trayer.log" 2>&1 &
    xsession_tray_pid=$!
    xsession_pids+=("$xsession_tray_pid")
    within 10000 visible_windows --class '^trayer$' >/dev/null ||
        { echo "trayer did not start" >&2; cat "$xsession_dir/trayer.log" >&2; return 1; }
}

# Ends the tray host: a desktop without a tray from here on.
xsession_stop_tray() {
    kill -TERM "$xsession_tray_pid" 2>/dev/null || true
    wait "$xsession_tray_pid" 2>/dev/null || true
    within 5000 eval "! visible_windows --class '^trayer$' >/dev/null"
}

# Starts Xvfb on a free display and exports DISPLAY. Xvfb's own choice
# (-displayfd alone) takes the lowest free number, where sessions running in
# parallel collide with servers that are just shutting down; so try a random
# display among many, let -displayfd say when it is ready, check that it
# answers, and try another on a clash. -noreset: by default the server resets
# when its last client leaves, and refuses connections meanwhile; the probes
# here are such clients.
xsession_start_x() {
    local tries display xvfb
    for ((tries = 0; tries < 6; tries++)); do
        display=$((100 + RANDOM % 900))
        : >"$xsession_dir/display"
        Xvfb ":$display" -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
            3>"$xsession_dir/display" >"$xsession_dir/xvfb.log" 2>&1 &
        xvfb=$!
        within 10000 eval "grep -q . '$xsession_dir/display' || ! kill -0 $xvfb 2>/dev/null" || true
        if kill -0 "$xvfb" 2>/dev/null && DISPLAY=:$display xdotool getdisplaygeometry >/dev/null 2>&1; then
            xsession_pids+=("$xvfb")
            export DISPLAY=:$display
            return 0
        fi
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    done
    return 1
}

# Starts a private session bus and exports DBUS_SESSION_BUS_ADDRESS, for a
# tray host of the test's own; nothing of the machine's bus leaks in.
xsession_start_bus() {
    : >"$xsession_dir/bus"
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$xsession_dir/bus" \
        >"$xsession_dir/dbus.log" 2>&1 &
    xsession_pids+=($!)
    within 10000 grep -q . "$xsession_dir/bus" || { echo "dbus-daemon did not start" >&2; return 1; }
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$xsession_dir/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# Ends every process of the session, newest first, then the X server.
xsession_end() {
    local i pid
    for ((i = ${#xsession_pids[@]} - 1; i >= 0; i--)); do
        pid=${xsession_pids[i]}
        kill -TERM "$pid" 2>/dev/null || continue
        within 3000 eval "! kill -0 $pid 2>/dev/null" || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null || true
    done
    xsession_pids=()
    [ -n "$xsession_dir" ] && rm -rf "$xsession_dir"
    return 0
}

# Starts a program in the background, to be ended with the session; sets
# xsession_last_pid to its pid. Output goes to LOG.
#   xsession_spawn LOG PROGRAM [ARGS...]
xsession_spawn() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 &
    xsession_last_pid=$!
    xsession_pids+=("$xsession_last_pid")
}

# visible_windows [xdotool search criteria...]: ids of the viewable windows
# that match all criteria; fails when there are none.
visible_windows() { xdotool search --all --onlyvisible "$@" 2>/dev/null; }

# Top-level windows are children of the root (there is no window manager).
toplevel_windows() { visible_windows --maxdepth 1 "$@"; }

# The tray icon of process PID: its viewable window that is not top-level,
# since the tray host has taken it in as a child of its own window.
tray_icon_window() {
    local ids
    ids=$(comm -23 <(visible_windows --pid "$1" | sort) <(toplevel_windows --pid "$1" | sort))
    [ -n "$ids" ] && echo "$ids" | head -n 1
}

# Sets X, Y, WIDTH, HEIGHT to the window's rectangle on the screen.
window_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
}

# click_at X Y BUTTON: moves the pointer there, gives the window a moment to
# see it arrive, then presses and releases BUTTON. (No --sync: xdotool waits
# for a motion that never comes when the pointer is already there.)
click_at() {
    xdotool mousemove "$1" "$2" sleep 0.1 click "$3"
}

# click_window WINDOW BUTTON: clicks the middle of a window.
click_window() {
    local X Y WIDTH HEIGHT
    window_geometry "$1"
    click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) "$2"
}

# ink_bands PNG AXIS [CROP]: the bands of rows (AXIS=rows) or columns
# (AXIS=columns) of a picture that hold anything clearly darker than a light
# background, one "first last" pair a line, in pixels of the (cropped)
# picture. Text, frames and highlighted entries are ink; the background is not.
ink_bands() {
    local turn=()
    [ "$2" = columns ] && turn=(-rotate 90)
    convert "$1" ${3:+-crop "$3" +repage} "${turn[@]}" -colorspace gray \
        -threshold 85% -scale '1x!' -depth 8 gray:- |
        od -An -v -tu1 |
        awk '{ for (i = 1; i <= NF; i++) { ink = $i < 254
                   if (ink && first < 0) first = row
                   if (!ink && first >= 0) { print first, row - 1; first = -1 }
                   row++ } }
             BEGIN { first = -1; row = 0 }
             END { if (first >= 0) print first, row - 1 }'
}

# Saves a picture of the whole screen, for looking into a failure.
screenshot() { import -window root "$1" 2>/dev/null || true; }
