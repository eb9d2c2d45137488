#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and builds the game, then runs every test headless.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh tests
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${NUMBLAZE_BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer: any report ends
# that test with a failure.
asan="${NUMBLAZE_ASAN_BUILD_DIR:-build-asan}"
[ -f "$asan/CMakeCache.txt" ] || cmake -S . -B "$asan" -DNUMBLAZE_SANITIZE=ON -DBUILD_TESTING=ON
cmake --build "$asan" -j "$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$asan" --output-on-failure -j "$(nproc)"

# The Debian package: built from a clean copy of the tree, checked with lintian, installed,
# played once and removed again.
sh scripts/package.sh
