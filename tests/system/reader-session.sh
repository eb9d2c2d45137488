#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command the way the game runs beside a screen reader on a desktop: on a private X
# server (Xvfb), in a private D-Bus session whose accessibility bus is up, on Qt's xcb platform
# with its accessibility bridge switched on. Nothing is skipped: a missing tool is a failure.
# Usage: reader-session.sh COMMAND [ARGUMENT...]
set -eu

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in Xvfb dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is missing: run scripts/setup.sh"

scratch="$(mktemp -d)"
xvfb=""
cleanup() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Xvfb picks a free display itself and writes its number once it accepts clients. It must not
# reset when its last client leaves (the accessibility bus's launcher is one): a game connecting
# during a reset is refused and finds no display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display" \
    2>"$scratch/xvfb.log" &
xvfb=$!
waited=0
while [ ! -s "$scratch/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
    [ "$waited" -lt 600 ] || fail "Xvfb gave no display within 60 s"
    sleep 0.1
    waited=$((waited + 1))
done

export DISPLAY=":$(cat "$scratch/display")"
export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
# Qt joins the accessibility bus only once it runs, as it does in a desktop session: start it.
# Its registry types for readers on this display. The buses and their services write to a log,
# shown when the command fails; the command keeps this script's own error output.
status=0
dbus-run-session -- sh -c '
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null || { echo "FAIL: no accessibility bus" >&2; exit 1; }
    exec "$@" 2>&3 3>&-' reader-session "$@" 3>&2 2>"$scratch/bus.log" || status=$?
if [ "$status" -ne 0 ]; then
    echo "reader-session: the command ended with status $status; the buses said:" >&2
    cat "$scratch/bus.log" >&2
    kill -0 "$xvfb" 2>/dev/null ||
        echo "reader-session: the X server $DISPLAY had gone: $(cat "$scratch/xvfb.log")" >&2
fi
exit "$status"
