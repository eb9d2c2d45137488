#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the game into a temporary prefix and checks it as a desktop would see it: the
# program, its manual page, a valid menu entry whose icon is there in every size, and valid
# AppStream metadata.
# Usage: install-check.sh BUILD_DIR
set -eu
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/numblaze" ] || fail "bin/numblaze is missing or not executable"
version="$("$prefix/bin/numblaze" --version)" || fail "numblaze --version failed"

manual="$prefix/share/man/man6/numblaze.6"
[ -f "$manual" ] || fail "the manual page numblaze.6 is not installed"
grep -q "^\.TH NUMBLAZE 6 .* \"$version\" " "$manual" ||
    fail "numblaze.6 is not the manual of $version"
for section in SYNOPSIS OPTIONS KEYS ENVIRONMENT FILES "EXIT STATUS" "SEE ALSO"; do
    grep -q "^\.SH $section\$" "$manual" || fail "numblaze.6 has no $section section"
done
# The keys no screen shows: extra time and sound.
for key in F2 M; do
    grep -q "^\.B $key\$" "$manual" || fail "numblaze.6 does not say what $key does"
done

desktop="$prefix/share/applications/numblaze.desktop"
[ -f "$desktop" ] || fail "numblaze.desktop is not installed"
desktop-file-validate "$desktop" || fail "numblaze.desktop does not validate"
grep -qx 'Exec=numblaze' "$desktop" || fail "the menu entry does not start numblaze"
grep -qx 'Categories=Education;Math;Game;KidsGame;' "$desktop" ||
    fail "the menu entry is not in Education;Math;Game;KidsGame;"
icon="$(sed -n 's/^Icon=//p' "$desktop")"

# The PNG header holds the width and the height as 32-bit big-endian numbers at bytes 16-23.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 24 32 48 64 128; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || fail "icon $icon is missing at $size pixels"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "icon $png is $(png_size "$png")"
done

metainfo="$(find "$prefix/share/metainfo" -name '*.metainfo.xml')"
[ "$(echo "$metainfo" | wc -l)" -eq 1 ] && [ -f "$metainfo" ] || fail "expected one metainfo file"
appstreamcli validate --no-net "$metainfo" || fail "$metainfo does not validate"
grep -q '<launchable type="desktop-id">numblaze.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch numblaze.desktop"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
    fail "the metainfo does not give the game's licence"
echo "install into a temporary prefix: OK"
