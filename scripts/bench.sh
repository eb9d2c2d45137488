#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the benchmark under the offscreen platform and under a private X server with a window
# manager (Xvfb and openbox), with the load average beside each run. Arguments go to the
# benchmark: none for every measurement, "--startup 15", "--race" or "--sound" for one of them.
# The sound plays into a private audio server (PulseAudio with a null sink) when pulseaudio is
# installed, so its figures do not depend on this machine's sound card.
set -eu
cd "$(dirname "$0")/.."
builddir="${NUMBLAZE_BUILD_DIR:-build}"
[ -f "$builddir/CMakeCache.txt" ] || cmake -S . -B "$builddir" ${NUMBLAZE_CMAKE_ARGS:-}
cmake "$builddir" -DNUMBLAZE_BUILD_BENCH=ON >/dev/null
cmake --build "$builddir" -j "$(nproc)" --target numblaze_bench
bench="$builddir/bench/numblaze_bench"

pulse=
wm=
xvfb=
audio="$(mktemp -d)"
trap 'kill $wm $xvfb $pulse 2>/dev/null || true; rm -rf "$audio"' EXIT
if command -v pulseaudio >/dev/null; then
    HOME="$audio" XDG_RUNTIME_DIR="$audio" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=no --load=module-null-sink \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$audio/native" \
        >/dev/null 2>&1 &
    pulse=$!
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        [ -S "$audio/native" ] && break
        sleep 0.3
    done
    export PULSE_SERVER="unix:$audio/native"
fi

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
QT_QPA_PLATFORM=offscreen "$bench" "$@"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

for tool in Xvfb:xvfb openbox:openbox xdpyinfo:x11-utils; do
    command -v "${tool%%:*}" >/dev/null || {
        echo "the run under X needs the Debian package ${tool#*:}" >&2
        exit 1
    }
done
display=":$(($$ % 500 + 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do
    DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break
    sleep 0.3
done
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$bench" "$@"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
