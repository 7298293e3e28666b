#!/bin/bash
# Plays a one-level game in a virtual X server with real key presses: New
# Game, walk to the right edge, through the tally and the end screen to the
# name entry; the entry must land in high.txt in the row its score earns and
# show in the table. Then the level's password opens the level again.
# Usage: highscore.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
game=$1

if [ ! -f "$game/gdat/sprites.txt" ] || [ ! -x "$game/quonkle" ]; then
    echo "SKIP: $game has no program or no generated game data"
    exit 0
fi

work=$(mktemp -d /tmp/quonkle-highscore-XXXXXX)
# shellcheck source=common.bash
source "$(dirname "$0")/common.bash"
trap e2e_cleanup EXIT
show_scores() {
    [ -f "$work/run/high.txt" ] && { echo "high.txt:"; cat "$work/run/high.txt"; echo; } >&2
    return 0
}

# A working directory of our own with one level: the player starts at the
# left of the bottom row, on ground all the way.
prepare_run_dir "$game"
add_walk_level e2e_walk.png 0
password=482913
printf 'gdat\\e2e_walk.png:%s\n' "$password" >"$run/levels.txt"
# The score of one level (550 to 850 points) lands between III and JJJ.
printf 'AAA:10\nBBB:20\nCCC:30\nDDD:40\nEEE:50\nFFF:60\nGGG:70\nHHH:80\nIII:500\nJJJ:9000' \
    >"$run/high.txt"

start_xvfb
start_game "$game/quonkle" "$run"

scores_fail() {
    show_scores
    fail "$@"
}
# A digest of the screen as it is now.
shot() { xwd -root -silent | md5sum | cut -c1-32; }
type_keys() {
    for key in "$@"; do
        press "$key"
    done
}

# The start and end pictures, the play screen's sky, or the plain
# background of the tally, the name entry, the table and the password screen.
remember_pictures start end gameback background
# Waits (up to $1 seconds) for a picture that stays the same for a while.
settled() {
    local deadline=$((SECONDS + $1)) a b
    a=$(shot)
    while [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.4
        b=$(shot)
        if [ "$a" = "$b" ]; then
            echo "$a"
            return 0
        fi
        a=$b
    done
    return 1
}

menu=$(settled 15) || fail "the main menu never settled"
press Return
wait_for start 10 || fail "New Game did not open the start screen"
press space
wait_for gameback 10 || fail "Space did not start the level"

xdotool keydown Right
wait_for background 30 || { xdotool keyup Right; fail "the level was never won"; }
xdotool keyup Right
press space
wait_for end 10 || fail "Space on the tally did not open the end screen"
press space
wait_for background 10 || fail "Space on the end screen did not open the name entry"
type_keys x y z Return
deadline=$((SECONDS + 10))
until grep -q '^XYZ:' "$run/high.txt" 2>/dev/null; do
    alive "the name entry"
    [ "$SECONDS" -lt "$deadline" ] || scores_fail "the name was never stored"
    sleep 0.2
done

# Exactly the ten lines expected, the new one with a tally's score.
score=$(sed -n '9s/^XYZ:\([0-9]*\)$/\1/p' "$run/high.txt")
[ -n "$score" ] && [ "$score" -ge 550 ] && [ "$score" -le 850 ] \
    || scores_fail "the entry is not the ninth line with the score of one level"
expected=$(printf 'BBB:20\nCCC:30\nDDD:40\nEEE:50\nFFF:60\nGGG:70\nHHH:80\nIII:500\nXYZ:%s\nJJJ:9000' \
    "$score")
[ "$(cat "$run/high.txt")" = "$expected" ] || scores_fail "high.txt is not the expected ten lines"
[ -z "$(tail -c1 "$run/high.txt")" ] && scores_fail "high.txt ends with a line break"
ls "$run" | grep -q 'high.txt.tmp' && scores_fail "a temporary file was left behind"

# The table: the new entry in the second row from the top, in white.
table=$(settled 10) || scores_fail "the table never settled"
xwd -root -silent | convert xwd:- "$work/table.png"
white_in() {
    convert "$work/table.png" -crop "$1" +repage -fill black +opaque white \
        -format '%[fx:int(mean*w*h)]' info:
}
[ "$(white_in 200x35+180+85)" -gt 20 ] || scores_fail "the table shows no name in row 1"
[ "$(white_in 200x35+420+85)" -gt 20 ] || scores_fail "the table shows no score in row 1"
[ "$(white_in 200x35+180+85)" != "$(white_in 200x35+180+120)" ] \
    || scores_fail "row 1 of the table looks like row 2"

# Back to the menu, then the password opens the level again.
press space
deadline=$((SECONDS + 10))
until [ "$(shot)" = "$menu" ]; do
    alive "the table"
    [ "$SECONDS" -lt "$deadline" ] || scores_fail "Space on the table did not return to the main menu"
    sleep 0.2
done
type_keys Down Return
wait_for background 10 || scores_fail "Enter Password did not open"
type_keys $(echo "$password" | sed 's/./& /g') Return
wait_for gameback 10 || scores_fail "the password did not open the level"
level=$(shot)
xdotool keydown Right
sleep 1
xdotool keyup Right
[ "$(shot)" != "$level" ] || scores_fail "the opened level does not play"
echo "PASS (score $score)"
