#!/bin/sh
# SPDX-FileCopyrightText: The Numblaze developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a clean copy of the tree, checks it with lintian, installs it,
# starts the installed game once as an ordinary user and leaves it with "Exit" (its records must
# land in that player's data folder), then removes the package again.
# Needs root, or sudo, to install and remove the package. The checkout is left as it was; with
# NUMBLAZE_PACKAGE_DIR set, the package files built are copied into that folder.
set -eu
cd "$(dirname "$0")/.."
start=$(date +%s)

root=""
[ "$(id -u)" -eq 0 ] || root="sudo"
export DEBIAN_FRONTEND=noninteractive
# Waits while another program installs packages, rather than failing at once.
apt="$root apt-get -o DPkg::Lock::Timeout=600"

fail() {
    echo "package.sh: FAIL: $*" >&2
    exit 1
}

if dpkg-query -W -f='${Status}' numblaze 2>/dev/null | grep -q "install ok installed"; then
    fail "numblaze is installed on this machine already; remove it first (apt-get purge numblaze)"
fi

version="$(dpkg-parsechangelog -S Version)"
upstream="${version%-*}"
arch="$(dpkg --print-architecture)"

work="$(mktemp -d)"
installed=""
cleanup() {
    [ -z "$installed" ] || $apt purge -y -qq numblaze >/dev/null || true
    $root rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# apt reads the package as its own unprivileged user.
chmod 755 "$work"
# The build and lintian leave their temporary files here, and so go with the rest.
mkdir "$work/tmp"
export TMPDIR="$work/tmp"

# A clean copy of the tree: the files git tracks, as they are now, and nothing else (no build
# folder, nothing a package build left).
git rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    fail "run it in a git checkout: the package is built from the files git tracks"
tree="$work/numblaze-$upstream"
mkdir "$tree"
git ls-files -z --cached | tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null |
    tar -xf - -C "$tree"
# The upstream tarball is the tree without its Debian packaging.
tar -C "$work" --exclude="numblaze-$upstream/debian" -cJf "$work/numblaze_$upstream.orig.tar.xz" \
    "numblaze-$upstream"

echo "Building numblaze $version (log in the temporary folder while it runs)"
if ! (cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc) \
    >"$work/build.log" 2>&1; then
    tail -n 60 "$work/build.log" >&2
    fail "dpkg-buildpackage failed"
fi
deb="numblaze_${version}_$arch.deb"
[ -f "$work/$deb" ] || fail "the build made no $deb"
if [ -n "${NUMBLAZE_PACKAGE_DIR:-}" ]; then
    mkdir -p "$NUMBLAZE_PACKAGE_DIR"
    cp "$work"/numblaze*_"$upstream"* "$NUMBLAZE_PACKAGE_DIR"/
fi

echo "lintian (errors and warnings fail; informational and pedantic tags are shown):"
changes="$work/numblaze_${version}_$arch.changes"
lintian --fail-on error,warning --display-info --pedantic "$changes" ||
    fail "lintian found errors or warnings"

(cd "$work" && $apt install -y -qq ./numblaze_*.deb >"$work/install.log" 2>&1) || {
    cat "$work/install.log" >&2
    fail "apt-get install ./$deb failed"
}
installed=yes
shown="$(/usr/games/numblaze --version)"
[ "$shown" = "Numblaze $upstream" ] || fail "/usr/games/numblaze --version says '$shown'"
echo "/usr/games/numblaze --version: $shown"

# One start and Exit of the installed game with a fresh home folder, as the given user: the
# package's own autopkgtest, which clicks "Exit" and finds the 14 lines in that player's data
# folder.
play_once() { # user-switch-command home
    $1 sh "$tree/debian/tests/play-once" "$2" || fail "the installed game did not play as it should"
}

# First as a player who cannot write to /usr/games. As root, the player is a user id of its own
# with no other files on the machine.
home="$work/home"
mkdir -m 700 "$home" "$home/runtime"
player=""
if [ "$(id -u)" -eq 0 ]; then
    uid=64000
    while getent passwd "$uid" >/dev/null || getent group "$uid" >/dev/null; do
        uid=$((uid + 1))
    done
    chown -R "$uid:$uid" "$home"
    player="setpriv --reuid=$uid --regid=$uid --clear-groups --"
fi
play_once "$player" "$home"
# Then as the administrator, who could write to /usr/games but must not.
adminhome="$work/adminhome"
mkdir -m 700 "$adminhome" "$adminhome/runtime"
[ -n "$root" ] || play_once "" "$adminhome"
echo "the installed game kept its 14 lines in each player's ~/.local/share/Numblaze/Progress.txt"

$apt purge -y -qq numblaze >/dev/null
installed=""
! dpkg-query -W -f='${Status}' numblaze 2>/dev/null | grep -q "install ok installed" ||
    fail "numblaze is still installed"
echo "package.sh: OK in $(($(date +%s) - start)) s ($deb built, checked, installed and removed)"
