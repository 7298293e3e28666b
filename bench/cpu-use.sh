#!/bin/bash
# How much of a core the real program takes in a virtual X server: 10 s on the
# main menu, then 10 s in play (level 1, standing still), started directly
# (`./quonkle`, nothing set), as the launcher and `make run` start it
# (SDL12COMPAT_SYNC_TO_VBLANK=1), and with display sync turned off (=0,
# where only the game's own frame pacing holds it back). Figures are CPU
# seconds (user + system, all threads) per wall second of the program alone;
# 1.00 is one core kept busy. Given a second game folder (another build's
# program beside the same data, see build-base.sh), each measure runs for
# both in turn, so that both meet the same machine.
# Usage: cpu-use.sh [GAME_DIR [BASE_GAME_DIR]] (default build/game);
# QUONKLE_CPU_SECONDS changes the 10 s, QUONKLE_CPU_BASE_NAME names the
# second column; QUONKLE_CPU_SHOT=FILE.png keeps a picture of the screen
# played, to see that it was play.
set -euo pipefail
games=("$(readlink -f "${1:-build/game}")")
[ -z "${2:-}" ] || games+=("$(readlink -f "$2")")
seconds=${QUONKLE_CPU_SECONDS:-10}
for game in "${games[@]}"; do
    [ -x "$game/quonkle" ] || { echo "cpu-use: no game in $game" >&2; exit 1; }
done

work=$(mktemp -d /tmp/quonkle-cpu-XXXXXX)
xvfb_pid=
game_pid=
cleanup() {
    [ -z "$game_pid" ] || { kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null; }
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

press() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.5; }

# CPU time of process $1 so far, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Prints the CPU share of the game over the next $seconds.
measure() {
    local before after start end
    before=$(ticks "$game_pid")
    start=$(date +%s.%N)
    sleep "$seconds"
    after=$(ticks "$game_pid")
    end=$(date +%s.%N)
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$start" -v e="$end" \
        'BEGIN { printf "%.2f", t / hz / (e - s) }'
}

# Runs the game of folder $1 with the environment changes "$@" after it;
# sets menu and play.
run() {
    local game=$1
    shift
    # A folder of its own, so that no run meets the settings of another.
    rm -rf "$work/game" && mkdir "$work/game"
    for f in "$game"/*; do [ "${f##*/}" = settings.txt ] || ln -s "$f" "$work/game/"; done
    (cd "$work/game" && exec env "$@" SDL_AUDIODRIVER=dummy ./quonkle) >"$work/game.log" 2>&1 &
    game_pid=$!
    timeout 10 xdotool search --sync --name '^Quonkle$' >/dev/null
    xdotool mousemove 320 240
    sleep 2
    menu=$(measure)
    press Return # "New Game"
    press space  # past the start screen
    sleep 1
    play=$(measure)
    kill -0 "$game_pid" 2>/dev/null || { cat "$work/game.log" >&2; exit 1; }
    [ -z "${QUONKLE_CPU_SHOT:-}" ] || xwd -root -silent | convert xwd:- "$QUONKLE_CPU_SHOT"
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=
}

declare -A menus plays
starts=(direct launcher "sync off (=0)")
envs=("-u SDL12COMPAT_SYNC_TO_VBLANK" "SDL12COMPAT_SYNC_TO_VBLANK=1" "SDL12COMPAT_SYNC_TO_VBLANK=0")
for s in 0 1 2; do
    for g in "${!games[@]}"; do
        # shellcheck disable=SC2086
        run "${games[$g]}" ${envs[$s]}
        menus[$s,$g]=$menu plays[$s,$g]=$play
    done
done

echo "CPU seconds per wall second, ${seconds} s per screen (1.00 = one core)"
header=$(printf '%-15s %-7s %12s' start screen "this build")
[ "${#games[@]}" -eq 1 ] || header+=$(printf ' %12s' "${QUONKLE_CPU_BASE_NAME:-base}")
echo "$header"
for s in 0 1 2; do
    for screen in menu play; do
        row=$(printf '%-15s %-7s' "${starts[$s]}" "$screen")
        for g in "${!games[@]}"; do
            if [ "$screen" = menu ]; then v=${menus[$s,$g]}; else v=${plays[$s,$g]}; fi
            row+=$(printf ' %12s' "$v")
        done
        echo "$row"
    done
done
