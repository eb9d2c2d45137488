#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the benchmark under the offscreen platform and under a private X server with a window
# manager (Xvfb and openbox), with the load average beside each run. Arguments go to the
# benchmark: none for every measurement, "--startup 15" or "--race" for one of them.
set -eu
cd "$(dirname "$0")/.."
builddir="${NUMBLAZE_BUILD_DIR:-build}"
[ -f "$builddir/CMakeCache.txt" ] || cmake -S . -B "$builddir" ${NUMBLAZE_CMAKE_ARGS:-}
cmake "$builddir" -DNUMBLAZE_BUILD_BENCH=ON >/dev/null
cmake --build "$builddir" -j "$(nproc)" --target numblaze_bench
bench="$builddir/bench/numblaze_bench"

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
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
wm=
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
