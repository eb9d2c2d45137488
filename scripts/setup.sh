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

# Under sudo the build would belong to root, and the player's own runs could not update it.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ]; then
    echo "$(basename "$0"): run it as yourself; it asks sudo only to install packages" >&2
    exit 1
fi

# Building and playing: the compiler, Qt, the tools that compile the game's translations
# (qt6-l10n-tools, qt6-tools-dev), Qt's own translations for its dialogs, the game's fonts (the
# design's stand-ins, and Noto for the scripts they do not have: Arabic, Hebrew...), and
# PulseAudio's client library for the sound (its headers to build; the game loads the library
# itself when the sound starts, and it plays on PulseAudio and on PipeWire's PulseAudio service).
packages="cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev
    qt6-translations-l10n libpulse-dev libpulse0 libgl-dev fonts-ocr-a fonts-dejavu-core
    fonts-liberation fonts-noto-core"
if [ "$mode" = tests ]; then
    # The tests: Qt's private headers (a test copy of the game is asked to save as a session
    # manager asks), X servers, Qt's Wayland plugin (as GNOME and KDE desktops have it: a
    # Wayland display that is not there is still said in the game's one line), the
    # accessibility bus and its Python client, a real screen reader speaking for real (Orca
    # through speech-dispatcher and its espeak-ng voice, with script to give its log a terminal;
    # espeak-ng alone measures the length of the game's phrases), both audio servers and a
    # recorder (races heard through a null sink on PulseAudio, and on PipeWire with its PulseAudio
    # service and session manager, as GNOME runs them; gnome-shell brings part of PipeWire, not
    # all of it),
    # the validators of the installed files, the licence check, and the Debian package's build
    # and checks; the shared-computer tests and the races by ear (beside a player's own Orca,
    # found with procps) make users (passwd), drop to them and lock as them (util-linux), and
    # watch the game's system calls (strace). A real GNOME desktop, headless:
    # GNOME Shell with Xwayland, read with gdbus (libglib2.0-bin), xwininfo and xprop
    # (x11-utils); about 100 MB to fetch, 350 MB installed. Noto's Chinese, Japanese and Korean
    # fonts, which the package recommends for those languages (fonts-noto-cjk).
    packages="$packages qt6-base-private-dev xvfb xauth xdotool dbus at-spi2-core python3-gi
        gir1.2-atspi-2.0 orca bsdutils speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
        procps qt6-wayland pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber
        desktop-file-utils appstream reuse build-essential debhelper dpkg-dev fakeroot lintian
        git xz-utils passwd util-linux strace gnome-shell xwayland libglib2.0-bin x11-utils
        fonts-noto-cjk"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo_cmd=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "$(basename "$0"): these packages are missing, and there is no sudo to install" >&2
            echo "them; as root, run:" >&2
            echo "apt-get install$missing" >&2
            exit 1
        fi
        sudo_cmd="sudo"
    fi
    echo "Installing:$missing"
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
