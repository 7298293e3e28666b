# Shared helpers of the end-to-end scripts: a private virtual X server, the
# game started in it, key presses held long enough to be seen, screenshots.
# Source it after setting `work` to a temporary folder of the script's own.

xvfb_pid=
game_pid=

e2e_cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/game.log" ] && cat "$work/game.log" >&2
    exit 1
}

# Starts Xvfb on a free display at 640x480 and exports DISPLAY.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
        Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
    fail "no virtual X server could start"
}

# Starts the game (program $1) in folder $2 and waits for its window.
start_game() {
    (cd "$2" && SDL_AUDIODRIVER=dummy exec "$1") >"$work/game.log" 2>&1 &
    game_pid=$!
    # A search can fail while SDL replaces windows: ask again until it holds.
    local i
    for i in $(seq 40); do
        timeout 5 xdotool search --sync --name '^Quonkle$' >/dev/null 2>&1 && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start"
        sleep 0.25
    done
    [ "$i" -lt 40 ] || fail "no game window"
    # Keys go to the window under the pointer (there is no window manager).
    xdotool mousemove 320 240
}

# The game reads key state once a frame: hold each key a while.
press() {
    xdotool keydown "$1"
    sleep "${2:-0.12}"
    xdotool keyup "$1"
    sleep 0.12
}

# Waits up to $1 seconds for the game to exit; sets exit_status to its
# status, or to "timeout".
wait_exit() {
    local i
    exit_status=timeout
    for i in $(seq $(($1 * 10))); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            exit_status=0
            wait "$game_pid" || exit_status=$?
            game_pid=
            return 0
        fi
        sleep 0.1
    done
}

screenshot() { xwd -root -silent | convert xwd:- "$1"; }

alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended during: $1"; }

# A working folder of the script's own in $run: the generated data of game
# folder $1 linked, the sprite manifest copied so levels can be added.
prepare_run_dir() {
    local f
    run=$work/run
    mkdir -p "$run/gdat"
    for f in "$1"/gdat/*; do
        [ "$(basename "$f")" = sprites.txt ] || ln -s "$f" "$run/gdat/"
    done
    ln -s "$1/sdat" "$run/sdat"
    cp "$1/gdat/sprites.txt" "$run/gdat/sprites.txt"
    [ -z "$(tail -c1 "$run/gdat/sprites.txt")" ] || echo >>"$run/gdat/sprites.txt"
}

# Adds the level image gdat/$1 to $run: ground along the whole bottom row,
# the player starting in column $2 of it.
add_walk_level() {
    convert -size 16x12 xc:black -fill '#00FF00' -draw "point $2,10" \
        -fill '#0000FF' -draw 'line 0,11 15,11' "PNG24:$run/gdat/$1"
    printf 'gdat\\%s\n' "$1" >>"$run/gdat/sprites.txt"
}

# Screens are told apart by a strip at the left where each shows nothing but
# its full-screen picture. remember_pictures NAME... cuts the strips of the
# game's pictures gdat/NAME.png; showing NAME tells whether the screen shows
# that picture there now; wait_for NAME SECONDS waits for it.
strip=120x200+0+100
remember_pictures() {
    local picture
    for picture in "$@"; do
        convert "$game/gdat/$picture.png" -crop "$strip" +repage "$work/$picture.png"
    done
}
showing() {
    local differing
    xwd -root -silent | convert xwd:- -crop "$strip" +repage "$work/now.png"
    differing=$(compare -metric AE -fuzz 4% "$work/now.png" "$work/$1.png" null: 2>&1 || true)
    [ "${differing%%[!0-9]*}" -lt 1200 ] 2>/dev/null
}
wait_for() {
    local deadline=$((SECONDS + $2))
    until showing "$1"; do
        alive "waiting for $1"
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# Menus show the entries not chosen in grey (128, 128, 128).
grey_pixels() {
    xwd -root -silent | convert xwd:- -fill black +opaque 'rgb(128,128,128)' \
        -fill white -opaque 'rgb(128,128,128)' -format '%[fx:int(mean*w*h)]' info:
}
