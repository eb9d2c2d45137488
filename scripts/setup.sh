#!/bin/sh
# Installs the Debian packages the game needs (only those missing), then configures and
# builds it in ./build. Safe to run again: nothing is reinstalled, the build is incremental.
set -eu
cd "$(dirname "$0")/.."

packages="cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-ocr-a fonts-dejavu-core fonts-liberation desktop-file-utils appstream"
# The screen-reader tests: an X server, a D-Bus session with the accessibility bus, and a
# Python client for that bus.
packages="$packages xvfb dbus at-spi2-core python3-gi gir1.2-atspi-2.0"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing
fi

builddir="${NUMBLAZE_BUILD_DIR:-build}"
[ -f "$builddir/CMakeCache.txt" ] || cmake -S . -B "$builddir" ${NUMBLAZE_CMAKE_ARGS:-}
cmake --build "$builddir" -j "$(nproc)"
