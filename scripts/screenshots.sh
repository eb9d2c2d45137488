#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the game's screens into docs/screens/ (menu, race counting down, racing, won, Hall of
# Fame), headless: the screens are drawn offscreen exactly as the game draws them. Give the
# languages to draw them in ("en de fr"); English and German when none is given. Pictures in a
# language other than English are named after it: menu-de.png.
set -eu
cd "$(dirname "$0")/.."
builddir="${NUMBLAZE_BUILD_DIR:-build}"
[ -f "$builddir/CMakeCache.txt" ] || cmake -S . -B "$builddir" ${NUMBLAZE_CMAKE_ARGS:-}
cmake "$builddir" -DNUMBLAZE_BUILD_TOOLS=ON >/dev/null
cmake --build "$builddir" -j "$(nproc)" --target screenshots
mkdir -p docs/screens
[ $# -gt 0 ] || set -- en de
for language in "$@"; do
    QT_QPA_PLATFORM=offscreen "$builddir/tools/screenshots/screenshots" docs/screens "$language"
done
ls docs/screens
