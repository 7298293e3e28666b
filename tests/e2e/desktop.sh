#!/bin/bash
# What a desktop adds to the game, on the real program: the command line
# (help, version, a wrong option; a video driver that cannot start is one
# line on stderr and status 1), a window of the fitting or asked scale under a
# window manager, F11 to full screen and back, the choice kept for the next
# start, full screen covering a bare X server without one, and the pause
# menu when another window takes the keyboard focus during a level.
# Usage: desktop.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.bash"
data=$1
program=$2/game/quonkle
[ -f "$data/levels.txt" ] || skip "no generated game data in $data"
command -v openbox >/dev/null || skip "openbox is not installed (tools/debian-packages.txt)"

version=$(sed -n 's/^project(Quonkle VERSION \([0-9.]*\).*/\1/p' "$3/CMakeLists.txt")
[ "$("$program" --version)" = "quonkle $version" ] || fail "--version: $("$program" --version)"
"$program" --help | grep -q -- '^  --window ' || fail "--help lists no --window"
rc=0
out=$("$program" --window --bogus 2>&1 >/dev/null) || rc=$?
[ "$rc" -eq 2 ] && [ "$(wc -l <<<"$out")" -eq 2 ] &&
    [[ $out == "quonkle: unrecognized option '--bogus'"* ]] || fail "a wrong option: $rc, $out"
rc=0
out=$(cd /tmp && SDL_VIDEODRIVER=no-such-driver "$program" 2>&1) || rc=$?
[ "$rc" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] && [[ $out == quonkle:* ]] ||
    fail "no window: status $rc, $out"

# The window's scale is the game's choice here, not the caller's.
unset SDL12COMPAT_WINDOW_SCALING
SCREEN=1600x1200x24 start_session "$data"
geometry_is() {
    [ "$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')" = "$1" ]
}
settings_say() { grep -qx "display: $1" "$game/settings.txt"; }
start_window() {
    start_game "$program" "$@"
    window=$(timeout 20 xdotool search --sync --name '^Quonkle$' | head -n1) || fail "no window"
}

# Full screen on a bare X server: the game covers the screen itself.
start_window
wait_for 20 geometry_is 1600x1200
kill -TERM "$game_pid"
wait_exit 20

openbox >"$work/wm.log" 2>&1 &
helpers=$!
# SDL waits for a new window to be shown: not while a window manager starts.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
for _ in $(seq 100); do wm_ready && break; sleep 0.1; done
wm_ready || fail "openbox did not start"

# The largest whole scale within nine tenths of the desktop: 2 here.
start_window --window
wait_for 20 geometry_is 1280x960
press F11
wait_for 10 geometry_is 1600x1200
settings_say "full screen" || fail "full screen is not remembered"
press F11
wait_for 10 geometry_is 1280x960
settings_say window || fail "the window is not remembered"
press F11
wait_for 10 settings_say "full screen"
kill -TERM "$game_pid"
wait_exit 20

# Started again without options: full screen, as left.
start_window
wait_for 20 geometry_is 1600x1200
kill -TERM "$game_pid"
wait_exit 20

# A level in a window of its own size; another window takes the focus.
start_window --window --scale 1
shot_window=$window
wait_for 30 menu_item 0
press space
wait_for 10 looks_like start 10
press space
wait_for 10 on_play
xclock >/dev/null 2>&1 &
helpers="$helpers $!"
clock=$(timeout 20 xdotool search --sync --class xclock | head -n1) || fail "no xclock"
timeout 10 xdotool windowfocus --sync "$clock" || fail "xclock took no focus"
wait_for 10 pause_item 0
echo "desktop: ok"
