#!/bin/bash
# Stages an install with DESTDIR, checks what a packager ships (files, desktop
# entry, metainfo, data complete), then runs the launcher as
# two users and checks their own working directories: the data linked,
# high.txt copied once and never replaced, not by a second start, not by a
# reinstall. package.sh checks the Debian package.
# Usage: install.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.bash"
build=$2

[ -f "$build/game-defaults/high.txt" ] && [ -d "$build/icons" ] \
    || skip "$build has no generated game data to install"

work=$(mktemp -d /tmp/quonkle-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
prefix=/usr
root=$stage$prefix

DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >"$work/install.log" \
    || { cat "$work/install.log"; fail "cmake --install"; }

# What ends up where.
# (The launcher in bin and the program in libexec: launch below.)
[ -f "$root/share/quonkle/gdat/anglepoi.ttf" ] || fail "no font in share/quonkle"
cmp -s "$root/share/quonkle/high.txt" "$build/game-defaults/high.txt" \
    || fail "the installed high.txt is not the pristine default"
# Every asset named in a manifest is installed (names use a backslash).
for manifest in gdat/sprites.txt sdat/sounds.txt; do
    while IFS= read -r line || [ -n "$line" ]; do
        line=${line%$'\r'}
        [ -z "$line" ] && continue
        [ -f "$root/share/quonkle/${line//\\//}" ] || fail "$manifest lists missing $line"
    done <"$root/share/quonkle/$manifest"
done
# The same files in the Debian package pass lintian (package.sh), which
# knows the icons; here the stricter checks, and the licence in doc.
desktop=$root/share/applications/org.quonkle.Quonkle.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -q '^Exec=quonkle$' "$desktop" || fail "desktop entry must run the launcher"
[ -f "$root/share/doc/quonkle/LICENSE" ] || fail "no LICENSE installed"
mandoc -T lint "$root/share/man/man6/quonkle.6" || fail "man page is not clean"
appstreamcli validate --no-net "$root/share/metainfo/org.quonkle.Quonkle.metainfo.xml" ||
    fail "metainfo does not validate"

# Runs the launcher for home $1 with the settings that follow, until the
# game it starts reports its frames (plays) or it ends.
# Usage: launcher HOME [VAR=VALUE...] [-- ARGUMENTS...]
launcher() {
    local home=$1 vars=() args=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1") && shift; done
    [ $# -gt 0 ] && shift && args=("$@")
    run_briefly env -u XDG_DATA_HOME HOME="$home" "${vars[@]}" SDL_VIDEODRIVER=dummy \
        SDL_AUDIODRIVER=dummy "$root/bin/quonkle" "${args[@]}"
}
launch() { launcher "$@" && $plays || fail "the launcher did not start the game: $(<"$work/run.log")"; }
# The launcher refuses the user's folder: status 1, one line, no game.
refused() {
    launcher "$@" && ! $plays && [ "$rc" -eq 1 ] && [ "$(wc -l <"$work/run.log")" -eq 1 ] ||
        fail "a folder not the user's alone was taken ($*): $(<"$work/run.log")"
}

home=$work/home-a
mkdir -p "$home"
launch "$home"
user=$home/.local/share/quonkle
for name in gdat sdat levels.txt runs; do
    [ -L "$user/$name" ] || fail "$name is not linked into the user's directory"
    [ "$(readlink -f "$user/$name")" = "$(readlink -f "$root/share/quonkle/$name")" ] \
        || fail "$name links to the wrong place"
done
[ -f "$user/high.txt" ] && [ ! -L "$user/high.txt" ] || fail "high.txt is not the user's own file"
cmp -s "$user/high.txt" "$root/share/quonkle/high.txt" || fail "first run did not copy high.txt"

# The shipped run of a level plays through the launcher's folder to its end;
# a recording named relative to where the launcher starts is made there.
cd "$work"
env -u XDG_DATA_HOME HOME="$home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$root/bin/quonkle" --play 1 || fail "the shipped run of level 1 did not play to its end"
launch "$home" -- --record mine.run
[ -s "$work/mine.run" ] || fail "--record did not write where the launcher started"
cd - >/dev/null

# The user's scores survive a second start and a reinstall.
printf 'AAA:1\nBBB:2\nCCC:3\nDDD:4\nEEE:5\nFFF:6\nGGG:7\nHHH:8\nIII:9\nJJJ:99999' >"$user/high.txt"
cp "$user/high.txt" "$work/scores"
launch "$home"
cmp -s "$user/high.txt" "$work/scores" || fail "second start replaced high.txt"
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
launch "$home"
cmp -s "$user/high.txt" "$work/scores" || fail "reinstall replaced high.txt"
cmp -s "$root/share/quonkle/high.txt" "$build/game-defaults/high.txt" \
    || fail "the shared default high.txt changed"

# A user's own levels.txt (a real file, not our link) is left alone.
rm "$user/levels.txt"
cp "$root/share/quonkle/levels.txt" "$user/levels.txt"
echo "# mine" >>"$user/levels.txt"
launch "$home"
[ ! -L "$user/levels.txt" ] && tail -n1 "$user/levels.txt" | grep -q mine \
    || fail "the user's own levels.txt was replaced"

# A relative HOME is refused; --version makes no folder.
rc=0
(cd "$work" && env -u XDG_DATA_HOME HOME=relhome "$root/bin/quonkle") 2>/dev/null || rc=$?
[ "$rc" -eq 1 ] && [ ! -e "$work/relhome" ] || fail "a relative HOME was taken"
HOME=$work/home-v "$root/bin/quonkle" --version | grep -q '^quonkle ' && [ ! -e "$work/home-v" ] ||
    fail "--version through the launcher"

# XDG_DATA_HOME is honoured; a second user gets files of their own. A broken
# window icon only means no icon.
echo broken >"$root/share/quonkle/gdat/icon.png"
home=$work/home-b
mkdir -p "$home"
launch "$home" XDG_DATA_HOME="$work/xdg"
[ -f "$work/xdg/quonkle/high.txt" ] || fail "XDG_DATA_HOME ignored"
[ ! -e "$home/.local" ] || fail "wrote to ~/.local despite XDG_DATA_HOME"
cmp -s "$work/xdg/quonkle/high.txt" "$work/scores" && fail "two users share high.txt"

# As ssh with its folder, the launcher plays only in a folder of the user's
# alone: where someone else owns it or others may write it, links planted
# there could make the game write the user's own files. It makes none in a
# folder others may write either.
chmod g+w "$work/xdg/quonkle"
refused "$home" XDG_DATA_HOME="$work/xdg"
mkdir -m 1777 "$work/shared"
refused "$home" XDG_DATA_HOME="$work/shared"
[ ! -e "$work/shared/quonkle" ] || fail "a folder made where others may write"
if [ "$(id -u)" -eq 0 ]; then
    mkdir "$work/shared/quonkle"
    ln -s "$work/scores" "$work/shared/quonkle/settings.txt"
    chown -hR daemon "$work/shared/quonkle"
    refused "$home" XDG_DATA_HOME="$work/shared"
fi

# An incomplete install is refused with a message, not a crash.
mv "$root/share/quonkle" "$root/share/quonkle.away"
launcher "$home"
mv "$root/share/quonkle.away" "$root/share/quonkle"
! $plays && [ "$rc" -eq 1 ] && grep -q 'not installed completely' "$work/run.log" ||
    fail "incomplete install not reported"

echo "install: ok"
