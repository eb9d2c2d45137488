#!/bin/sh
# Sets up and builds the game, then starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
exec ./build/numblaze
