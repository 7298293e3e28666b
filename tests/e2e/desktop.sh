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
game_window() { window=$(xdotool search --name '^Quonkle$' | head -n1) && [ -n "$window" ]; }
clock_window() { clock=$(xdotool search --class xclock | head -n1) && [ -n "$clock" ]; }
start_window() {
    start_game "$program" "$@"
    wait_for 1000 game_window
}
end_game() {
    kill -TERM "$game_pid"
    wait_exit 300
}

# Full screen on a bare X server: the game covers the screen itself.
start_window
wait_for 1000 geometry_is 1600x1200
end_game

openbox >"$work/wm.log" 2>&1 &
helpers=$!
# SDL waits for a new window to be shown: not while a window manager starts.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
until wm_ready; do kill -0 "$helpers" 2>/dev/null && sleep 0.1 || fail "openbox did not start"; done

# The largest whole scale within nine tenths of the desktop: 2 here.
start_window --window
wait_for 1000 geometry_is 1280x960
press F11
wait_for 1000 geometry_is 1600x1200
settings_say "full screen" || fail "full screen is not remembered"
press F11
wait_for 1000 geometry_is 1280x960
settings_say window || fail "the window is not remembered"
press F11 -- settings_say "full screen"
end_game

# Started again without options: full screen, as left.
start_window
wait_for 1000 geometry_is 1600x1200
end_game

# A level in a window of its own size; another window takes the focus.
start_window --window --scale 1
shot_window=$window
new_game
xclock >/dev/null 2>&1 &
helpers="$helpers $!"
wait_for 1000 clock_window
xdotool windowfocus "$clock"
wait_for 300 pause_item 0
echo "desktop: ok"
