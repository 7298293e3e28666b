#!/bin/bash
# One session of the real program in a virtual X server, with real key
# events: New Game, a level won, the tally, pause and return, a game lost to three
# zombies, the name entry, high.txt and the table, the first level's
# password, and Exit Game from the pause menu. The session is recorded
# (--record), and played again (--play) to the same high.txt. Screens are told apart by
# what they draw: the menus' white and grey items, full-screen pictures.
# valgrind.sh runs the same session under memcheck.
# Usage: session.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.bash"
data=$1
program=${PROGRAM:-$2/game/quonkle}
slow=${SLOW:-1}  # how many times longer every wait may take
[ -f "$data/levels.txt" ] || skip "no generated game data in $data"

on_table() { white_in 257 5 140 45 && white_in 240 395 170 45 && no_grey && ! white_in 148 45 28 330; }
on_tally() { white_in 275 0 140 40 && white_in 250 395 200 40 && white_in 148 45 28 330; }
on_password() { white_in 235 15 250 45 && no_grey && ! white_in 230 55 200 45; }
on_entry() { white_in 230 55 200 45 && white_in 185 5 300 45; }

start_session "$data"
# No display at all: a clear error at once, never a game running unseen.
rc=0
(cd "$game" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 5 "$program") \
    2>"$work/nodisplay.log" || rc=$?
[ "$rc" -eq 1 ] && grep -q '^quonkle: no display' "$work/nodisplay.log" ||
    fail "without a display: status $rc, $(cat "$work/nodisplay.log")"
add_level walk.png 13
add_level zombies.png 0 2 3 4
printf 'gdat\\walk.png:246801\ngdat\\zombies.png:135790\n' >"$game/levels.txt"
cp "$game/high.txt" "$work/high.before"
start_game ${WRAPPER:-} "$program" --record "$work/session.run"

wait_for $((30 * slow)) menu_item 0
press space
wait_for $((10 * slow)) looks_like start 10
press space
wait_for $((10 * slow)) on_play
hold Right
wait_for $((30 * slow)) on_tally
release Right
press space
wait_for $((10 * slow)) on_play
press Escape
wait_for $((10 * slow)) pause_item 0
press space
wait_for $((10 * slow)) on_play
# Standing still among three zombies: the game is lost.
wait_for $((60 * slow)) looks_like g_over 10
press space
wait_for $((10 * slow)) on_entry
press a b c Return
wait_for $((10 * slow)) on_table
grep -q '^ABC:[0-9]*$' "$game/high.txt" || fail "the new score is not in high.txt"
[ "$(grep -v '^ABC:' "$game/high.txt")" = "$(tail -n 9 "$work/high.before")" ] ||
    fail "the other scores did not keep their places"
values=$(cut -d: -f2 "$game/high.txt")
[ "$values" = "$(sort -n <<<"$values")" ] || fail "high.txt is not in ascending order"
press space
wait_for $((10 * slow)) menu_item 0

press Down space
wait_for $((10 * slow)) on_password
press 2 4 6 8 0 1 Return
wait_for $((10 * slow)) on_play
press Escape
wait_for $((10 * slow)) pause_item 0
press Up
wait_for $((10 * slow)) pause_item 2
press Return
wait_exit $((30 * slow))
[ "$game_rc" -eq 0 ] || fail "the program ended with status $game_rc"

# The recording plays the session again, at the pace it was played, to the
# same name in the same place of high.txt. (Under valgrind the session is
# slow, and its replay would take as long again: left out.)
if [ -z "${WRAPPER:-}" ]; then
    cp "$game/high.txt" "$work/high.played"
    cp "$work/high.before" "$game/high.txt"
    start_game "$program" --play "$work/session.run"
    wait_exit $((120 * slow))
    [ "$game_rc" -eq 0 ] || fail "the replay ended with status $game_rc"
    cmp -s "$game/high.txt" "$work/high.played" || fail "the replay wrote another high.txt"
fi
echo "session: ok"
