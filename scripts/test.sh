#!/bin/sh
# Sets up and builds the game, then runs every test headless.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
