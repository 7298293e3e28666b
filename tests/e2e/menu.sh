#!/bin/bash
# The real program in a virtual X server: the menu comes up, Down, Up, Up
# moves to "Exit", and Return ends the program with status 0 within 2 s.
# Usage: menu.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
game=$1
work=$(mktemp -d /tmp/quonkle-menu-XXXXXX)
source "$(dirname "$0")/common.bash"
trap e2e_cleanup EXIT

[ -x "$game/quonkle" ] && [ -f "$game/gdat/sprites.txt" ] || fail "no game in $game"

start_xvfb
start_game "$game/quonkle" "$game"
# The menu is up once the screen shows grey entries (128,128,128).
for _ in $(seq 50); do
    screenshot "$work/menu.png"
    grey=$(convert "$work/menu.png" -fill black +opaque 'rgb(128,128,128)' \
        -fill white -opaque 'rgb(128,128,128)' -format '%[fx:int(mean*w*h)]' info:)
    [ "$grey" -gt 100 ] && break
    sleep 0.2
done
[ "$grey" -gt 100 ] || fail "the menu never showed its grey entries"

press Down
press Up
press Up
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before Return"
xdotool keydown Return
wait_exit 2
xdotool keyup Return 2>/dev/null || true
[ "$exit_status" = 0 ] || fail "exit status after Return on Exit: $exit_status"
echo "PASS: menu up, Exit chosen, status 0"
