#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the races by ear (orca_race.py) with a real Orca speaking, in a session of their own
# (reader-session.sh), beside whatever the computer's own players run. Orca will not start while
# another Orca of the same user runs: as root the races run as a user made for them and removed
# afterwards; as anyone else they are skipped (status 77) while an Orca of theirs runs.
# Usage: orca-race.sh PYTHON GAME
set -eu

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

here="$(cd "$(dirname "$0")" && pwd)"
python="$1"
game="$2"
for tool in orca speech-dispatcher pulseaudio espeak-ng pgrep; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh tests"
done
[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ] ||
    fail "speech-dispatcher's espeak-ng voice is missing: run scripts/setup.sh tests"

if [ "$(id -u)" -ne 0 ]; then
    if running="$(pgrep -u "$(id -u)" -x orca)"; then
        echo "SKIP: an Orca of this user runs (pid $(echo $running)), and Orca does not start" \
            "beside another of the same user; end it, or run the test as root, which races as" \
            "a user of its own" >&2
        exit 77
    fi
    exec sh "$here/reader-session.sh" "$python" "$here/orca_race.py" "$game"
fi

command -v useradd >/dev/null && command -v runuser >/dev/null ||
    fail "useradd and runuser are missing: run scripts/setup.sh tests"
user="numblaze-ear-$$"
scratch="$(mktemp -d)"
made=""
cleanup() {
    if [ -n "$made" ]; then
        # Everything the races started runs as their user, made for them alone.
        pkill -KILL -u "$user" 2>/dev/null || true
        userdel "$user" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
useradd -M -d "$scratch/home" -s /bin/sh "$user" || fail "could not make a user for the races"
made=yes
mkdir "$scratch/home"
chown "$user" "$scratch/home"
chmod 755 "$scratch"
cp "$game" "$scratch/numblaze"
cp "$here/orca_race.py" "$here/reader-session.sh" "$scratch/"
chmod 755 "$scratch/numblaze"
runuser -u "$user" -- env -i PATH="$PATH" HOME="$scratch/home" LANG="${LANG:-C.UTF-8}" \
    LC_ALL="${LC_ALL:-C.UTF-8}" ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" NUMBLAZE_SPEECH_LOG="${NUMBLAZE_SPEECH_LOG:-}" \
    sh "$scratch/reader-session.sh" "$python" "$scratch/orca_race.py" "$scratch/numblaze"
