#!/bin/sh
# varnel --autostart where there is no display at all, in a home of its own:
#   autostart.sh PROGRAM on|off|bad-value|unwritable
set -u
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
entry=$XDG_CONFIG_HOME/autostart/varnel.desktop

fail() {
    echo "$*"
    [ -f "$home/out" ] && cat "$home/out"
    exit 1
}
# Runs the program with the arguments, its output in $home/out; fails unless
# it ends with the status given.
expect() {
    status=$1
    shift
    "$program" "$@" >"$home/out" 2>&1
    got=$?
    [ "$got" -eq "$status" ] || fail "varnel $* ended with $got, not $status"
}

case $2 in
on)
    expect 0 --autostart on
    grep -q "^Varnel will start at login ($entry)\.$" "$home/out" || fail "not told"
    grep -qxF "Exec=$(readlink -f "$program")" "$entry" || fail "Exec does not name the program"
    ! grep -q '^Hidden=' "$entry" || fail "the entry is hidden"
    desktop-file-validate "$entry" || fail "the entry is not a valid desktop entry"
    ;;
off)
    expect 0 --autostart on
    expect 0 --autostart off
    grep -qx "Varnel will not start at login." "$home/out" || fail "not told"
    [ ! -e "$entry" ] || fail "the entry is still there"
    ;;
bad-value)
    expect 2 --autostart yes
    grep -q "^varnel: --autostart takes on or off, not 'yes'" "$home/out" || fail "not told"
    grep -q "varnel --help" "$home/out" || fail "the usage is not named"
    [ ! -e "$entry" ] || fail "an entry was written"
    ;;
unwritable)
    # A folder that is a file cannot be written, whoever runs.
    mkdir -p "$XDG_CONFIG_HOME" && : >"$XDG_CONFIG_HOME/autostart"
    expect 1 --autostart on
    grep -q "could not set itself to start at login" "$home/out" || fail "not told"
    ;;
*)
    fail "no such case: $2"
    ;;
esac
