#!/bin/bash
# One game played through the real program in a virtual X server with real key
# and mouse events: menu, New Game, the first level won, the tally, the next
# level, pause and return, game over, name entry, the table, and a password.
# Screens are recognised by what they draw (the menu's white and grey items,
# the full-screen pictures of the start and game-over screens).
# Usage: playthrough.sh GAME_DIR BUILD_DIR SOURCE_DIR
# Sourced by valgrind.sh for the helpers below.
set -euo pipefail

# --- helpers -----------------------------------------------------------------

# How long a key or button stays down, and the pause after it: long enough
# for a slow frame to see it.
HOLD=${HOLD:-0.15}
GAP=${GAP:-0.15}

xsession_start() {
    work=$(mktemp -d /tmp/quonkle-x-XXXXXX)
    xvfb_pid=""
    game_pid=""
    shot_count=0
    trap xsession_stop EXIT
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
}

xsession_stop() {
    local rc=$?
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ "$rc" -ne 0 ] && [ -f "$work/shot.xwd" ]; then
        convert "$work/shot.xwd" "/tmp/quonkle-e2e-failure.png" 2>/dev/null &&
            echo "last screen: /tmp/quonkle-e2e-failure.png" >&2
    fi
    rm -rf "$work"
    exit "$rc"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A working directory like an installed user's: data linked, files copied.
game_dir_prepare() {
    local data=$1
    game=$work/game
    mkdir -p "$game"
    ln -s "$data/gdat" "$game/gdat"
    ln -s "$data/sdat" "$game/sdat"
    cp "$data/levels.txt" "$data/high.txt" "$game/"
}

# Starts the program in the working directory, through an optional wrapper
# (valgrind, say).
game_start() {
    (cd "$game" && SDL_AUDIODRIVER=dummy exec "$@") >"$work/game.log" 2>&1 &
    game_pid=$!
}

game_running() { kill -0 "$game_pid" 2>/dev/null; }

# Waits for the program to end by itself; its exit status in game_rc.
game_wait_exit() {
    local timeout=$1
    for _ in $(seq $((timeout * 10))); do
        game_running || break
        sleep 0.1
    done
    game_running && fail "the program did not end"
    game_rc=0
    wait "$game_pid" || game_rc=$?
    game_pid=""
}

shot() { xwd -root -silent >"$work/shot.xwd"; }

# Pixels of exactly rgb(R,G,B) in the box X Y W H of the last shot.
count() {
    convert "$work/shot.xwd" -crop "${6}x${7}+${4}+${5}" +repage \
        -fill black +opaque "rgb($1,$2,$3)" -fill white -opaque "rgb($1,$2,$3)" \
        -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null
}
# Text of the menus: white for the selection and all other text, grey items.
white_in() { [ "$(count 255 255 255 "$@")" -ge 30 ]; }
grey_in() { [ "$(count 128 128 128 "$@")" -ge 30 ]; }
no_grey_in() { [ "$(count 128 128 128 "$@")" -lt 5 ]; }

# The last shot differs from a picture of the data in at most PERCENT of its
# pixels (a full-screen image with perhaps a little drawn over it).
looks_like() {
    local picture=$1 percent=$2 diff
    diff=$(compare -metric AE -fuzz 8% "$work/shot.xwd" "$game/${picture//\\//}" null: 2>&1 || true)
    diff=${diff%% *}
    [ "$(awk -v d="$diff" -v p="$percent" 'BEGIN { print (d <= 640 * 480 * p / 100) }')" = 1 ]
}

# Screens.
on_menu() { white_in 255 95 200 45 || white_in 227 145 250 45 || white_in 248 195 200 45 || white_in 285 245 100 45; }
on_main_menu() { on_menu && grey_in 285 245 100 45 || { white_in 285 245 100 45 && grey_in 255 95 200 45; }; }
on_menu_item() {
    case $1 in
        0) white_in 255 95 200 45 && grey_in 285 245 100 45 ;;
        1) white_in 227 145 250 45 && grey_in 255 95 200 45 ;;
        2) white_in 248 195 200 45 && grey_in 255 95 200 45 ;;
        3) white_in 285 245 100 45 && grey_in 255 95 200 45 ;;
    esac
}
on_pause() { no_grey_in 285 245 100 45 && { white_in 235 95 250 45 || white_in 249 145 220 45 || white_in 261 195 180 45; }; }
on_pause_item() {
    case $1 in
        0) white_in 235 95 250 45 && grey_in 249 145 220 45 ;;
        1) white_in 249 145 220 45 && grey_in 235 95 250 45 ;;
        2) white_in 261 195 180 45 && grey_in 235 95 250 45 ;;
    esac
}
# The table and the tally share their top and bottom lines' places; the
# tally's labels start further left than the table's names.
on_table() { white_in 257 5 140 45 && white_in 240 395 170 45 && no_grey_in 0 0 640 480 && ! white_in 148 45 28 330; }
on_tally() { white_in 275 0 140 40 && white_in 250 395 200 40 && white_in 148 45 28 330; }
on_password() { white_in 235 15 250 45 && no_grey_in 0 0 640 480 && ! white_in 230 55 200 45; }
on_name_entry() { white_in 230 55 200 45 && white_in 185 5 300 45; }
on_start() { looks_like 'gdat\start.png' 10; }
on_game_over() { looks_like 'gdat\g_over.png' 10; }
on_end() { looks_like 'gdat\end.png' 10; }
on_play() { looks_like 'gdat\gameback.png' 60 && ! on_menu; }

# Waits up to TIMEOUT seconds until the check holds on a fresh shot.
wait_for() {
    local timeout=$1
    shift
    local end=$((SECONDS + timeout))
    while [ "$SECONDS" -lt "$end" ]; do
        game_running || fail "the program ended while waiting for: $*"
        shot
        if "$@"; then
            # Keep each recognised screen when asked to (for debugging).
            if [ -n "${QUONKLE_E2E_SHOTS:-}" ]; then
                shot_count=$((shot_count + 1))
                mkdir -p "$QUONKLE_E2E_SHOTS"
                convert "$work/shot.xwd" "$QUONKLE_E2E_SHOTS/$(printf '%02d' "$shot_count")-$*.png"
            fi
            return 0
        fi
        sleep 0.3
    done
    fail "timed out waiting for: $*"
}

press() {
    local key
    for key in "$@"; do
        xdotool keydown "$key"
        sleep "$HOLD"
        xdotool keyup "$key"
        sleep "$GAP"
    done
}
hold() { xdotool keydown "$1"; }
release() { xdotool keyup "$1"; }
click() {
    xdotool mousemove "$1" "$2" mousedown "$3"
    sleep "$HOLD"
    xdotool mouseup "$3"
    sleep "$GAP"
}

# --- the playthrough -----------------------------------------------------------

playthrough_main() {
    local data=$1 program=$2/game/quonkle
    [ -f "$data/levels.txt" ] || { echo "SKIP: no generated game data in $data"; exit 0; }
    xsession_start
    game_dir_prepare "$data"
    # The campaign's second level has no zombies; the three-zombie level goes
    # right after the first so that the game can be lost there.
    {
        grep -F 'level01.png:' "$data/levels.txt"
        grep -F 'level05.png:' "$data/levels.txt"
    } >"$game/levels.txt"
    local first_password
    first_password=$(head -n1 "$game/levels.txt" | cut -d: -f2 | tr -d '\r')
    cp "$game/high.txt" "$work/high.before"
    game_start "$program"

    wait_for 30 on_menu_item 0
    press space
    wait_for 10 on_start
    press space
    wait_for 10 on_play

    # The first level: walk right, drop through the gap, walk on to the exit.
    hold Right
    wait_for 30 on_tally
    release Right
    press space
    wait_for 10 on_play

    # Pause and return.
    press Escape
    wait_for 10 on_pause_item 0
    press space
    wait_for 10 on_play

    # Walking into three zombies costs all three hearts.
    hold Right
    wait_for 60 on_game_over
    release Right
    press space
    wait_for 10 on_name_entry
    press a b c Return
    wait_for 10 on_table
    grep -q '^ABC:' "$game/high.txt" || fail "the new score is not in high.txt"
    [ "$(grep -c '' "$game/high.txt")" -eq 10 ] || fail "high.txt does not have ten lines"
    local values
    values=$(cut -d: -f2 "$game/high.txt")
    [ "$values" = "$(sort -n <<<"$values")" ] || fail "high.txt is not in ascending order"
    [ "$(grep -v '^ABC:' "$game/high.txt")" = "$(tail -n 9 "$work/high.before")" ] \
        || fail "the other scores did not keep their places"
    press space
    wait_for 10 on_menu_item 0

    # The first level's password opens it again.
    press Down
    wait_for 10 on_menu_item 1
    press space
    wait_for 10 on_password
    # shellcheck disable=SC2046
    press $(sed 's/./& /g' <<<"$first_password") Return
    wait_for 10 on_play

    # Leave through the pause menu's "Exit Game".
    press Escape
    wait_for 10 on_pause_item 0
    press Down Down
    wait_for 10 on_pause_item 2
    press space
    game_wait_exit 10
    [ "$game_rc" -eq 0 ] || fail "the program ended with status $game_rc"
    echo "playthrough: ok"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    playthrough_main "$@"
fi
