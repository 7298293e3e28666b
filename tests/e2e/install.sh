#!/bin/bash
# Stages an install with DESTDIR, checks what a packager ships (files, desktop
# entry, metainfo, icons, man page, data complete), then runs the launcher as
# two users and checks their own working directories: the data linked,
# high.txt copied once and never replaced, not by a second start, not by a
# reinstall. Then the Debian package (make deb; rebuilt only when the source
# changed): lintian, and its launcher run unpacked in a virtual X server.
# Usage: install.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$2
source_dir=$3

if [ ! -f "$build/game-defaults/high.txt" ] || [ ! -d "$build/icons" ]; then
    echo "SKIP: $build has no generated game data to install"
    exit 0
fi

work=$(mktemp -d /tmp/quonkle-install-XXXXXX)
trap 'kill ${pids:-} 2>/dev/null; rm -rf "$work"' EXIT
stage=$work/stage
prefix=/usr
root=$stage$prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >"$work/install.log" \
    || { cat "$work/install.log"; fail "cmake --install"; }

# What ends up where.
[ -x "$root/bin/quonkle" ] || fail "no launcher in bin"
[ -x "$root/libexec/quonkle/quonkle" ] || fail "no program in libexec"
for f in gdat/sprites.txt sdat/sounds.txt gdat/anglepoi.ttf levels.txt high.txt; do
    [ -f "$root/share/quonkle/$f" ] || fail "missing share/quonkle/$f"
done
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
desktop=$root/share/applications/org.quonkle.Quonkle.desktop
metainfo=$root/share/metainfo/org.quonkle.Quonkle.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"
grep -q '^Exec=quonkle$' "$desktop" || fail "desktop entry must run the launcher"
grep -q '<content_rating' "$metainfo" || fail "no content rating"
grep -q '<release ' "$metainfo" || fail "no releases"
grep -q '<project_license>MIT' "$metainfo" || fail "metainfo names no project licence"
[ -f "$root/share/doc/quonkle/LICENSE" ] || fail "no LICENSE installed"
mandoc -T lint "$root/share/man/man6/quonkle.6" || fail "man page is not clean"
for size in 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/org.quonkle.Quonkle.png
    [ -f "$icon" ] || fail "no ${size}px icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "${size}px icon has the wrong size"
done

# Runs the launcher for a few seconds; the game must still be running then
# (timeout's 124), not have exited early.
launch() {
    local rc=0
    env -u XDG_DATA_HOME HOME="$1" "${@:2}" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
        timeout 3 "$root/bin/quonkle" >"$work/run.log" 2>&1 || rc=$?
    [ "$rc" -eq 124 ] || { cat "$work/run.log"; fail "launcher ended with $rc instead of running"; }
}

home=$work/home-a
mkdir -p "$home"
launch "$home"
user=$home/.local/share/quonkle
for name in gdat sdat levels.txt; do
    [ -L "$user/$name" ] || fail "$name is not linked into the user's directory"
    [ "$(readlink -f "$user/$name")" = "$(readlink -f "$root/share/quonkle/$name")" ] \
        || fail "$name links to the wrong place"
done
[ -f "$user/high.txt" ] && [ ! -L "$user/high.txt" ] || fail "high.txt is not the user's own file"
cmp -s "$user/high.txt" "$root/share/quonkle/high.txt" || fail "first run did not copy high.txt"

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

# XDG_DATA_HOME is honoured; a second user gets files of their own. A broken
# window icon only means no icon.
echo broken >"$root/share/quonkle/gdat/icon.png"
home=$work/home-b
mkdir -p "$home"
rc=0
HOME="$home" XDG_DATA_HOME="$work/xdg" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    timeout 3 "$root/bin/quonkle" >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 124 ] || fail "launcher with XDG_DATA_HOME ended with $rc"
[ -f "$work/xdg/quonkle/high.txt" ] || fail "XDG_DATA_HOME ignored"
[ ! -e "$home/.local" ] || fail "wrote to ~/.local despite XDG_DATA_HOME"
cmp -s "$work/xdg/quonkle/high.txt" "$work/scores" && fail "two users share high.txt"

# An incomplete install is refused with a message, not a crash.
mv "$root/share/quonkle" "$root/share/quonkle.away"
rc=0
HOME="$home" "$root/bin/quonkle" 2>"$work/err" || rc=$?
mv "$root/share/quonkle.away" "$root/share/quonkle"
[ "$rc" -eq 1 ] && grep -q 'not installed completely' "$work/err" || fail "incomplete install not reported"

# The package, unpacked, not installed.
unset MAKEFLAGS MFLAGS
make -C "$source_dir" --no-print-directory deb BUILD="$build" >"$work/deb.log" 2>&1 \
    || { tail -n 40 "$work/deb.log"; fail "make deb"; }
deb=$build/deb/quonkle_$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
deb=${deb}_$(dpkg --print-architecture).deb
lintian --fail-on error,warning "$build"/deb/quonkle_*.changes || fail "lintian"
pkg=$work/pkg
dpkg-deb -x "$deb" "$pkg" || fail "no package $deb"
for f in man/man6/quonkle.6.gz doc/quonkle/copyright metainfo/org.quonkle.Quonkle.metainfo.xml \
    applications/org.quonkle.Quonkle.desktop icons/hicolor/64x64/apps/org.quonkle.Quonkle.png; do
    [ -s "$pkg/usr/share/$f" ] || fail "package lacks /usr/share/$f"
done

# Its launcher, for a user with an empty home: display sync on, the user's
# folder made, the window's icon and class (as the desktop entry says), menu up.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
home=$work/home-c
mkdir -p "$home"
env -u XDG_DATA_HOME -u SDL12COMPAT_SYNC_TO_VBLANK HOME="$home" SDL_AUDIODRIVER=dummy \
    "$pkg/usr/games/quonkle" >"$work/run.log" 2>&1 &
game=$!
pids="$pids $game"
window=$(timeout 20 xdotool search --sync --name '^Quonkle$' | head -n1) \
    || { cat "$work/run.log"; fail "the package's game showed no window"; }
tr '\0' '\n' <"/proc/$game/environ" | grep -qx SDL12COMPAT_SYNC_TO_VBLANK=1 \
    || fail "the launcher did not turn display sync on"
[ -f "$home/.local/share/quonkle/high.txt" ] || fail "no per-user folder for the package"
xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (64 x 64)' || fail "the window has no icon"
class=$(sed -n 's/^StartupWMClass=//p' "$pkg/usr/share/applications/org.quonkle.Quonkle.desktop")
xprop -id "$window" WM_CLASS | grep -q "\"$class\"\$" \
    || fail "WM_CLASS $(xprop -id "$window" WM_CLASS) is not StartupWMClass=$class"
for i in $(seq 50); do
    [ "$(xwd -root -silent | convert xwd:- -fill black +opaque 'rgb(128,128,128)' -fill white \
        -opaque 'rgb(128,128,128)' -format '%[fx:int(mean*w*h)]' info:)" -gt 100 ] && break
    sleep 0.2
done
[ "$i" -lt 50 ] || fail "the package's game never showed the main menu"
kill -0 "$game" || fail "the package's game ended"

echo "install: ok"
