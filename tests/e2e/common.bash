# Helpers of the end-to-end scripts: a virtual X server of its own, the real
# program started in a game folder of its own, keys held long enough for a
# frame to see them, and screens told apart by what they draw.
# Every wait counts the game's own frames, as it reports them (--fps, a
# line a second), never seconds: a slow program (under valgrind, say) or a
# busy machine makes a run longer, never red. A key stays down until a
# frame has begun since it went down, and so does a key let go before it
# goes down again.

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
    Xvfb -displayfd 3 -screen 0 "${SCREEN:-640x480x24}" -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    until [ -s "$work/display" ]; do kill -0 "$xvfb_pid" && sleep 0.1 || fail "no Xvfb"; done
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
# reporting its frames.
start_game() {
    : >"$work/game.log"  # no frames of the last game's
    (cd "$game" && SDL_AUDIODRIVER=dummy exec "$@" --fps) >"$work/game.log" 2>&1 &
    game_pid=$!
    released=()
}
running() { kill -0 "$game_pid" 2>/dev/null; }
# Runs "$@" with --fps, its output in $work/run.log, until the game reports
# its frames (then plays=true, and it is ended) or it ends by itself
# (plays=false, its status in rc).
run_briefly() {
    : >"$work/run.log"  # not the last run's, before this one starts
    "$@" --fps >"$work/run.log" 2>&1 &
    local pid=$!
    while kill -0 "$pid" 2>/dev/null && ! grep -q ' frames in ' "$work/run.log"; do sleep 0.1; done
    plays=false
    kill "$pid" 2>/dev/null && plays=true
    rc=0
    wait "$pid" || rc=$?
}
# The frame reports so far, and the frames in them.
reports() { grep -c '^quonkle: [0-9]* frames in ' "$work/game.log" || true; }
frames_seen() { awk '/^quonkle: [0-9]+ frames in / { n += $2 } END { print n + 0 }' "$work/game.log"; }
# Waits for report $1 (its frame began after report $1 - 1), or the end.
until_report() { while [ "$(reports)" -lt "$1" ] && running; do sleep 0.05; done; }
# Fails once the game has run $2 frames since frame $1 (frames_seen).
within_frames() { [ $(($(frames_seen) - $1)) -le "$2" ] || fail "not within $2 frames: ${*:3}"; }
wait_exit() {
    local start
    start=$(frames_seen)
    while running; do within_frames "$start" "$1" "the end" && sleep 0.1; done
    game_rc=0
    wait "$game_pid" || game_rc=$?
    game_pid=
}

declare -A released  # the report count when a key went up
hold() {
    until_report $((${released[$1]:--2} + 2))  # a key let go is seen up first
    xdotool keydown "$1" && until_report $(($(reports) + 2))
}
release() { xdotool keyup "$1" && released[$1]=$(reports); }
# Presses the keys one after another; after "--", waits (300 frames) for
# the check that follows.
press() {
    while [ $# -gt 0 ] && [ "$1" != -- ]; do hold "$1" && release "$1" && shift; done
    [ $# -eq 0 ] || { shift && wait_for 300 "$@"; }
}

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
# From the main menu of a game just started, through the start screen, to
# the first level.
new_game() {
    wait_for 300 menu_item 0
    press space -- looks_like start 10
    press space -- on_play
}
grey_in() { [ "$(count 128 128 128 "$@")" -ge 30 ]; }
no_grey() { [ "$(count 128 128 128 0 0 640 480)" -lt 5 ]; }
# The shot differs from picture $1 of the data in at most $2 % of its pixels.
looks_like() {
    local diff
    diff=$(compare -metric AE -fuzz 8% "$work/shot.xwd" "$game/gdat/$1.png" null: 2>&1 || true)
    [ "${diff%% *}" -le $((640 * 480 * $2 / 100)) ] 2>/dev/null
}

# Waits until the check that follows holds on a new shot (of the screen, or
# of the window $shot_window when set), for up to $1 of the game's frames.
wait_for() {
    local most=$1 start target=(-root)
    shift
    start=$(frames_seen)
    [ -z "${shot_window:-}" ] || target=(-id "$shot_window")
    while :; do
        running || fail "the program ended while waiting for: $*"
        # A window that goes while xwd reads the screen fails the shot: the next one counts.
        xwd "${target[@]}" -silent >"$work/shot.xwd" 2>/dev/null && "$@" && return 0
        within_frames "$start" "$most" "$*"
        sleep 0.3
    done
}
