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

# A clean copy of the tree: the files git knows, as they are now, and nothing built.
tree="$work/numblaze-$upstream"
mkdir "$tree"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
        tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$tree"
else
    tar --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$tree"
fi
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

# One start and Exit of the installed game with a fresh home folder, as the given user: the game
# is clicked at "Exit" and must end, and its records must land in that player's data folder.
play_once() { # user-switch-command home
    $1 env -i HOME="$2" XDG_RUNTIME_DIR="$2/runtime" PATH=/usr/bin:/bin:/usr/games \
        LANG=C.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        sh -c '
            numblaze & game=$!
            menu="$(timeout 60 xdotool search --sync --onlyvisible --name "^Numblaze\$" | head -n 1)"
            [ -n "$menu" ] || { kill $game; echo "the menu never showed" >&2; exit 1; }
            # The centre of "Exit" in the menu window.
            xdotool mousemove --window "$menu" 84 304 click 1
            waited=0
            while kill -0 $game 2>/dev/null; do
                waited=$((waited + 1))
                [ $waited -le 600 ] || { kill $game; echo "the game did not end on Exit" >&2; exit 1; }
                sleep 0.1
            done
            wait $game
        ' || fail "the installed game did not start and end as it should"
    progress="$2/.local/share/Numblaze/Progress.txt"
    [ -f "$progress" ] || fail "no Progress.txt in the player's data folder"
    lines="$(wc -l <"$progress")"
    [ "$lines" -eq 14 ] || fail "the player's Progress.txt has $lines lines, not 14"
    [ ! -e /usr/games/Progress.txt ] || fail "the game wrote /usr/games/Progress.txt"
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
