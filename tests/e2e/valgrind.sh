#!/bin/bash
# A short scripted session of the real program under valgrind's memcheck in a
# virtual X server: every screen the menu reaches, a little play with walking
# and throwing, the pause menu, and "Exit Game". Fails on any invalid read or
# write, use of uninitialised memory, bad free, or definite leak. Noise from
# the system's libraries is suppressed in valgrind.supp beside this script.
# Usage: valgrind.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=playthrough.sh
source "$here/playthrough.sh"

data=$1
program=$2/game/quonkle
command -v valgrind >/dev/null || fail "valgrind is not installed"
[ -f "$data/levels.txt" ] || { echo "SKIP: no generated game data in $data"; exit 0; }

# Under memcheck a frame takes up to a second: hold keys long enough to be
# seen, and release them long enough for the next press to be a new one.
HOLD=2.5
GAP=1.2
xsession_start
game_dir_prepare "$data"
# SDL's plain software path to the window instead of its OpenGL one: the
# same game code, a third less time under memcheck.
export SDL12COMPAT_OPENGL_SCALING=0 SDL_RENDER_DRIVER=software
game_start valgrind --tool=memcheck --error-exitcode=97 \
    --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --track-origins=yes --num-callers=30 \
    --suppressions="$here/valgrind.supp" --gen-suppressions=all \
    --log-file="$work/valgrind.log" "$program"

# Loading every asset takes a while under memcheck.
wait_for 240 on_menu_item 0

# The high-score table and back.
press Down Down
wait_for 60 on_menu_item 2
press space
wait_for 60 on_table
press space
wait_for 60 on_menu_item 0

# A password too short to open anything leads back to the menu.
press Down
wait_for 60 on_menu_item 1
press space
wait_for 60 on_password
press 9 Return
wait_for 60 on_menu_item 0

# New Game, a little walking, hopping and throwing, then the pause menu.
press space
wait_for 60 on_start
press space
wait_for 120 on_play
hold Right
click 400 200 1
click 300 100 3
sleep 2
release Right
hold Left
hold Up
sleep 1
release Up
release Left
press Escape
wait_for 60 on_pause_item 0
press Down Down
wait_for 60 on_pause_item 2
press space
game_wait_exit 240

if [ "$game_rc" -ne 0 ]; then
    grep -v '^   \|^[{}]' "$work/valgrind.log" >&2
    fail "the program under memcheck ended with status $game_rc"
fi
if grep -q "ERROR SUMMARY: [1-9]" "$work/valgrind.log"; then
    cat "$work/valgrind.log" >&2
    fail "memcheck reported errors"
fi
grep -E "definitely lost|ERROR SUMMARY|suppressed:" "$work/valgrind.log"
echo "valgrind: ok"
