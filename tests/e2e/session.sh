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
[ -f "$data/levels.txt" ] || skip "no generated game data in $data"

on_table() { white_in 257 5 140 45 && white_in 240 395 170 45 && no_grey && ! white_in 148 45 28 330; }
on_tally() { white_in 275 0 140 40 && white_in 250 395 200 40 && white_in 148 45 28 330; }
on_password() { white_in 235 15 250 45 && no_grey && ! white_in 230 55 200 45; }
on_entry() { white_in 230 55 200 45 && white_in 185 5 300 45; }

start_session "$data"
# No display at all, and no driver named (SDL_VIDEODRIVER unset or empty): a
# clear error at once, never a game running unseen (it would report frames).
for named in "" SDL_VIDEODRIVER=; do
    # shellcheck disable=SC2086
    run_briefly env -C "$game" -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER $named "$program"
    ! $plays && [ "$rc" -eq 1 ] && grep -q '^quonkle: no display' "$work/run.log" ||
        fail "without a display (${named:-no driver}): $plays, status $rc, $(cat "$work/run.log")"
done
add_level walk.png 13
add_level zombies.png 0 2 3 4
printf 'gdat\\walk.png:246801\ngdat\\zombies.png:135790\n' >"$game/levels.txt"
cp "$game/high.txt" "$work/high.before"
start_game ${WRAPPER:-} "$program" --record "$work/session.run"

new_game
hold Right
wait_for 1000 on_tally
release Right
press space -- on_play
press Escape -- pause_item 0
press space -- on_play
# Standing still among three zombies: the game is lost.
wait_for 3000 looks_like g_over 10
press space -- on_entry
press a b c Return -- on_table
grep -q '^ABC:[0-9]*$' "$game/high.txt" || fail "the new score is not in high.txt"
[ "$(grep -v '^ABC:' "$game/high.txt")" = "$(tail -n 9 "$work/high.before")" ] ||
    fail "the other scores did not keep their places"
values=$(cut -d: -f2 "$game/high.txt")
[ "$values" = "$(sort -n <<<"$values")" ] || fail "high.txt is not in ascending order"
press space -- menu_item 0

press Down space -- on_password
press 2 4 6 8 0 1 Return -- on_play
press Escape -- pause_item 0
press Up -- pause_item 2
press Return
wait_exit 300
[ "$game_rc" -eq 0 ] || fail "the program ended with status $game_rc"

# The recording plays the session again, at the pace it was played, to the
# same name in the same place of high.txt. (Under valgrind the session is
# slow, and its replay would take as long again: left out.)
if [ -z "${WRAPPER:-}" ]; then
    cp "$game/high.txt" "$work/high.played"
    cp "$work/high.before" "$game/high.txt"
    start_game "$program" --play "$work/session.run"
    wait_exit $(($(sed -n 's/^end \([0-9]*\) .*/\1/p' "$work/session.run") + 300))
    [ "$game_rc" -eq 0 ] || fail "the replay ended with status $game_rc"
    cmp -s "$game/high.txt" "$work/high.played" || fail "the replay wrote another high.txt"
fi
echo "session: ok"
