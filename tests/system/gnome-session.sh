#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command inside a real GNOME desktop, as Debian 12's default session is: GNOME Shell on
# Wayland, headless, with one virtual 1024x768 monitor and Xwayland beside it. The shell gets a
# private session bus, a private stand-in for the system bus and a home and runtime folder of
# its own, so nothing of the machine's is touched. The command gets the session's environment
# (DISPLAY and XAUTHORITY of Xwayland, WAYLAND_DISPLAY, XDG_CURRENT_DESKTOP=GNOME,
# XDG_SESSION_TYPE=wayland, no QT_QPA_PLATFORM) and its caller's home and settings folders.
# The overview GNOME opens at log-in is closed first, as a player's first click would.
# A shell that cannot start is a failure that says why, with the shell's own words.
# Usage: gnome-session.sh COMMAND [ARGUMENT...]
set -eu

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in gnome-shell Xwayland dbus-run-session dbus-daemon gdbus; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh tests"
done

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
mkdir -m 700 "$scratch/run" "$scratch/home"

# The caller's folders go back to the command; the shell and its services get their own.
for name in HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME; do
    eval "value=\${$name-}"
    [ -z "$value" ] || echo "export $name='$value'" >>"$scratch/caller"
    unset "$name"
done
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run"
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland

# Inside the private session bus.
cat >"$scratch/inside.sh" <<'INSIDE'
set -eu
scratch="$1"
shift
exec 2>&3 3>&-
fail() {
    echo "FAIL: $*" >&2
    [ ! -s "$scratch/shell.log" ] || { echo "GNOME Shell said:" >&2; tail -n 40 "$scratch/shell.log" >&2; }
    exit 1
}
property() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties."$1" org.gnome.Shell "$2" ${3:+"$3"}
}
# GNOME Shell asks the system bus for the login manager at start and ends when there is no
# system bus at all: a private bus with nobody on it stands in, so the machine's is left alone.
DBUS_SYSTEM_BUS_ADDRESS="$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
    3>"$scratch/system-bus.pid" 2>>"$scratch/bus.log")" || fail "no bus for the shell's system bus"
export DBUS_SYSTEM_BUS_ADDRESS
shell=""
stop() {
    [ -z "$shell" ] || { kill "$shell" 2>/dev/null; wait "$shell" 2>/dev/null || true; }
    kill "$(cat "$scratch/system-bus.pid")" 2>/dev/null || true
}
trap stop EXIT
: >"$scratch/shell.log"
gnome-shell --headless --wayland --virtual-monitor 1024x768 >"$scratch/shell.log" 2>&1 &
shell=$!
waited=0
until grep -q "GNOME Shell started" "$scratch/shell.log"; do
    kill -0 "$shell" 2>/dev/null || fail "GNOME Shell ended while starting"
    [ "$waited" -lt 600 ] || fail "GNOME Shell did not finish starting within 60 s"
    sleep 0.1
    waited=$((waited + 1))
done
DISPLAY="$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$scratch/shell.log")"
WAYLAND_DISPLAY="$(sed -n "s/.*Using Wayland display name '\([^']*\)'.*/\1/p" "$scratch/shell.log")"
[ -n "$DISPLAY" ] || fail "GNOME Shell started no Xwayland"
[ -n "$WAYLAND_DISPLAY" ] || fail "GNOME Shell named no Wayland display"
XAUTHORITY="$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)"
export DISPLAY WAYLAND_DISPLAY XAUTHORITY
property Set OverviewActive '<false>' >/dev/null || fail "the overview could not be closed"
waited=0
until [ "$(property Get OverviewActive)" = "(<false>,)" ]; do
    [ "$waited" -lt 100 ] || fail "the overview stayed open"
    sleep 0.1
    waited=$((waited + 1))
done
[ ! -f "$scratch/caller" ] || . "$scratch/caller"
status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "gnome-session: the command ended with status $status; GNOME Shell's last words:" >&2
    tail -n 10 "$scratch/shell.log" >&2
fi
exit "$status"
INSIDE

# The buses' and their services' own chatter goes to a log of its own.
status=0
dbus-run-session -- sh "$scratch/inside.sh" "$scratch" "$@" 3>&2 2>"$scratch/bus.log" || status=$?
exit "$status"
