# Helpers of the end-to-end scripts: a virtual X server of its own, the real
# program started in a game folder of its own, keys held long enough for a
# frame to see them, and screens told apart by what they draw.
# A key stays down for three of the frames the program reports (--fps), at
# least HOLD seconds, and up for two, at least GAP: a slow program (under
# valgrind, say) or a busy machine gets longer presses.
HOLD=${HOLD:-0.1}
GAP=${GAP:-0.1}

fail() {
    echo "FAIL: $*" >&2
    [ -f "${work:-}/game.log" ] && tail -n 20 "$work/game.log" >&2
    exit 1
}

# What a script needs is missing: a failure, unless the caller allows skips
# (ctest counts 77 as skipped).
skip() {
    [ "${QUONKLE_ALLOW_SKIP:-}" = 1 ] && { echo "SKIP: $*"; exit 77; }
    fail "$* (QUONKLE_ALLOW_SKIP=1 skips this)"
}

# Ends the game, the helpers in $helpers and the X server, keeping the
# script's status.
stop_session() {
    local rc=$?
    if [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null; then
        for _ in $(seq 50); do running || break; sleep 0.1; done
        kill -9 "$game_pid" 2>/dev/null || true  # a game stuck in a call ignores SIGTERM
        wait "$game_pid" 2>/dev/null || true
    fi
    # shellcheck disable=SC2086
    [ -n "${helpers:-}" ] && kill $helpers 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    if [ "$rc" -ne 0 ] && [ -f "$work/shot.xwd" ]; then
        convert "$work/shot.xwd" /tmp/quonkle-e2e-failure.png && echo "last screen: /tmp/quonkle-e2e-failure.png" >&2
    fi
    rm -rf "$work"
    exit "$rc"
}

# An X server of its own, 640x480 unless SCREEN says otherwise, and a game
# folder $game with the generated data of folder $1 linked, levels.txt and
# high.txt copied.
start_session() {
    work=$(mktemp -d /tmp/quonkle-e2e-XXXXXX)
    trap stop_session EXIT
    Xvfb -displayfd 3 -screen 0 "${SCREEN:-640x480x24}" -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
    game=$work/game
    mkdir -p "$game/gdat"
    for f in "$1"/gdat/*; do ln -s "$f" "$game/gdat/"; done
    rm "$game/gdat/sprites.txt" && cp "$1/gdat/sprites.txt" "$game/gdat/"
    ln -s "$1/sdat" "$game/sdat"
    cp "$1/levels.txt" "$1/high.txt" "$game/"
}

# Level image $1 in $game: ground along the bottom row, the player starting
# in column $2 of it, zombies in the columns that follow.
add_level() {
    local name=$1 start=$2 zombie
    shift 2
    local draw=(-fill '#00FF00' -draw "point $start,10" -fill '#0000FF' -draw 'line 0,11 15,11')
    for zombie in "$@"; do draw+=(-fill '#FF0000' -draw "point $zombie,10"); done
    convert -size 16x12 xc:black "${draw[@]}" "PNG24:$game/gdat/$name"
    printf '\ngdat\\%s\n' "$name" >>"$game/gdat/sprites.txt"
}

# Runs the game (through a wrapper, if given: valgrind, say) in $game,
# reporting its frame rate.
start_game() {
    (cd "$game" && SDL_AUDIODRIVER=dummy exec "$@" --fps) >"$work/game.log" 2>&1 &
    game_pid=$!
}
# Seconds of $1 frames as last reported, or $2 if that is longer.
frames() {
    local ms
    ms=$(sed -n 's/^quonkle: .* ms, \([0-9.]*\) ms a frame$/\1/p' "$work/game.log" | tail -n 1)
    awk -v ms="${ms:-0}" -v n="$1" -v least="$2" 'BEGIN { s = n * ms / 1000; print (s > least ? s : least) }'
}
running() { kill -0 "$game_pid" 2>/dev/null; }
wait_exit() {
    for _ in $(seq $(($1 * 10))); do running || break; sleep 0.1; done
    running && fail "the program did not end"
    game_rc=0
    wait "$game_pid" || game_rc=$?
    game_pid=
}

press() {
    local key
    for key in "$@"; do
        xdotool keydown "$key"; sleep "$(frames 3 "$HOLD")"
        xdotool keyup "$key"; sleep "$(frames 2 "$GAP")"
    done
}
hold() { xdotool keydown "$1"; }
release() { xdotool keyup "$1"; }

# Pixels of exactly rgb(R,G,B) in the box X Y W H of the last shot.
count() {
    convert "$work/shot.xwd" -crop "${6}x${7}+${4}+${5}" +repage -fill black +opaque "rgb($1,$2,$3)" \
        -fill white -opaque "rgb($1,$2,$3)" -format '%[fx:int(mean*w*h+0.5)]' info:
}
white_in() { [ "$(count 255 255 255 "$@")" -ge 30 ]; }
menu_item() {  # the Nth item of the main menu white, another grey
    local boxes=("255 95 200 45" "227 145 250 45" "248 195 200 45" "285 245 100 45")
    white_in ${boxes[$1]} && grey_in ${boxes[$(( ($1 + 1) % 4 ))]}
}
pause_item() {
    local boxes=("235 95 250 45" "249 145 220 45" "261 195 180 45")
    white_in ${boxes[$1]} && grey_in ${boxes[$(( ($1 + 1) % 3 ))]} && ! grey_in 285 245 100 45
}
on_play() { looks_like gameback 60 && ! white_in 227 145 250 45; }
grey_in() { [ "$(count 128 128 128 "$@")" -ge 30 ]; }
no_grey() { [ "$(count 128 128 128 0 0 640 480)" -lt 5 ]; }
# The shot differs from picture $1 of the data in at most $2 % of its pixels.
looks_like() {
    local diff
    diff=$(compare -metric AE -fuzz 8% "$work/shot.xwd" "$game/gdat/$1.png" null: 2>&1 || true)
    [ "${diff%% *}" -le $((640 * 480 * $2 / 100)) ] 2>/dev/null
}

# Waits up to $1 seconds until the check that follows holds on a new shot
# (of the screen, or of the window $shot_window when set).
wait_for() {
    local end=$((SECONDS + $1))
    shift
    while [ "$SECONDS" -lt "$end" ]; do
        running || fail "the program ended while waiting for: $*"
        if [ -n "${shot_window:-}" ]; then
            xwd -id "$shot_window" -silent >"$work/shot.xwd"
        else
            xwd -root -silent >"$work/shot.xwd"
        fi
        "$@" && return 0
        sleep 0.3
    done
    fail "timed out waiting for: $*"
}
