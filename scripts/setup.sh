#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the game needs (only those missing), then configures and
# builds it in ./build. Safe to run again: nothing is reinstalled, the build is incremental.
#   sh scripts/setup.sh         what playing and installing need; builds the game
#   sh scripts/setup.sh tests   also what the tests and the package build need; builds it all
set -eu
cd "$(dirname "$0")/.."
mode="${1:-play}"

# Building and playing: the compiler, Qt, the tools that compile the game's translations
# (qt6-l10n-tools, qt6-tools-dev), Qt's own translations for its dialogs, and the game's fonts.
packages="cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev
    qt6-translations-l10n libgl-dev fonts-ocr-a fonts-dejavu-core fonts-liberation"
if [ "$mode" = tests ]; then
    # The tests: Qt's private headers (a test copy of the game is asked to save as a session
    # manager asks), X servers, the accessibility bus and its Python client, a real screen
    # reader (Orca, with script to give its log a terminal), the validators of the installed
    # files, the licence check, and the Debian package's build and checks.
    packages="$packages qt6-base-private-dev xvfb xauth xdotool dbus at-spi2-core python3-gi
        gir1.2-atspi-2.0 orca bsdutils desktop-file-utils appstream reuse build-essential debhelper dpkg-dev
        fakeroot lintian git xz-utils"
fi
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
if [ "$mode" = tests ]; then
    cmake -S . -B "$builddir" -DBUILD_TESTING=ON -DNUMBLAZE_BUILD_BENCH=ON -DNUMBLAZE_BUILD_TOOLS=ON ${NUMBLAZE_CMAKE_ARGS:-} >/dev/null
    cmake --build "$builddir" -j "$(nproc)"
else
    # The tests are left out of a build made only to play; a later `setup.sh tests` adds them.
    [ -f "$builddir/CMakeCache.txt" ] ||
        cmake -S . -B "$builddir" -DBUILD_TESTING=OFF ${NUMBLAZE_CMAKE_ARGS:-} >/dev/null
    cmake --build "$builddir" -j "$(nproc)" --target numblaze
fi
