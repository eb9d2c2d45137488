#!/bin/sh
# Installs the Debian packages the game needs (only those missing), then configures and
# builds it in ./build. Safe to run again: nothing is reinstalled, the build is incremental.
set -eu
cd "$(dirname "$0")/.."

# Building and playing; checking the installed files and every file's licence; building,
# checking and trying the Debian package (scripts/package.sh). qt6-base-private-dev and xvfb
# are for the tests too: a test copy of the game is asked to save as a session manager asks,
# and one loses its X display. qt6-l10n-tools and qt6-tools-dev compile the game's translations;
# qt6-translations-l10n holds Qt's own, for its dialogs in the player's language.
packages="cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev
    fonts-ocr-a fonts-dejavu-core fonts-liberation desktop-file-utils appstream reuse
    build-essential debhelper dpkg-dev fakeroot lintian qt6-l10n-tools qt6-tools-dev
    qt6-translations-l10n
    git xz-utils xvfb xauth xdotool
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0"
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
