#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every translation source holds exactly the texts the code has today: lupdate, run
# as the update_translations target runs it, must leave each one unchanged.
# Usage: translations-current.sh SOURCE_DIR
set -eu
cd "$1"
lupdate="$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)"
copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
status=0
for source in translations/*.ts; do
    cp "$source" "$copy/"
    "$lupdate" -silent -locations none -no-obsolete -I . app widgets core records race menu halloffame \
        -ts "$copy/$(basename "$source")"
    if ! cmp -s "$source" "$copy/$(basename "$source")"; then
        echo "FAIL: $source is not up to date: cmake --build build --target update_translations" >&2
        diff "$source" "$copy/$(basename "$source")" >&2 || true
        status=1
    fi
done
exit $status
