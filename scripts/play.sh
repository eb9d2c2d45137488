#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and builds the game, then starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
exec ./build/numblaze
