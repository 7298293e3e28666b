#!/bin/bash
# Two levels of a game in a virtual X server with real key presses: New Game,
# Space, Right held until the tally; the tally's figures are read off the
# screen and must add up, with the password of the level just won. Space goes
# on to the second level with the score; its tally starts from that score.
# Escape over it opens the pause menu, whose "Exit Game" ends the program with
# status 0 and leaves high.txt alone.
# Usage: gameplay.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
game=$1
work=$(mktemp -d /tmp/quonkle-gameplay-XXXXXX)
# shellcheck source=common.bash
source "$(dirname "$0")/common.bash"
trap e2e_cleanup EXIT

[ -x "$game/quonkle" ] && [ -f "$game/gdat/sprites.txt" ] || fail "no game in $game"

# A working directory of our own with two levels of ground along the bottom
# row; the first starts at its left end, the second near its right end.
prepare_run_dir "$game"
cp "$game/high.txt" "$run/high.txt"
add_walk_level e2e_long.png 0
add_walk_level e2e_short.png 11
printf 'gdat\\e2e_long.png:135790\ngdat\\e2e_short.png:246801\n' >"$run/levels.txt"

# --- reading the screen --------------------------------------------------------

remember_pictures start gameback background

# Text on the tally is checked against the font itself: a tiny helper
# renders each candidate as the game does (SDL_ttf, solid, 24 points) and
# prints the first one whose glyphs are exactly the white pixels at (x, y) of
# the screenshot, within the text's box widened by one more glyph; white
# pixels of the background picture do not count.
cat >"$work/textcheck.cpp" <<'CPP'
#include <SDL.h>
#include <SDL_ttf.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
static bool White(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b;
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    for (int i = 0; i < s->format->BytesPerPixel; ++i) v |= Uint32(p[i]) << (8 * i);
    SDL_GetRGB(v, s->format, &r, &g, &b);
    return r == 255 && g == 255 && b == 255;
}
int main(int argc, char** argv) {
    if (argc < 8 || SDL_Init(0) != 0 || TTF_Init() != 0) return 2;
    TTF_Font* font = TTF_OpenFont(argv[1], atoi(argv[2]));
    SDL_Surface* shot = SDL_LoadBMP(argv[3]);
    SDL_Surface* back = SDL_LoadBMP(argv[4]);
    if (!font || !shot || !back) return 2;
    int x0 = atoi(argv[5]), y0 = atoi(argv[6]);
    SDL_Color white = {255, 255, 255, 0};
    for (int c = 7; c < argc; ++c) {
        SDL_Surface* text = TTF_RenderText_Solid(font, argv[c], white);
        if (!text) continue;
        int w = text->w;
        int boxW = std::min(w + atoi(argv[2]), shot->w - x0);
        int boxH = std::min(text->h, shot->h - y0);
        bool same = true;
        for (int y = 0; y < boxH && same; ++y) {
            for (int x = 0; x < boxW && same; ++x) {
                bool ink = x < w && static_cast<Uint8*>(text->pixels)[y * text->pitch + x];
                bool seen = White(shot, x0 + x, y0 + y) && !White(back, x0 + x, y0 + y);
                same = ink == seen;
            }
        }
        SDL_FreeSurface(text);
        if (same) {
            std::printf("%s\n", argv[c]);
            return 0;
        }
    }
    return 1;
}
CPP
g++ -O1 -o "$work/textcheck" "$work/textcheck.cpp" $(pkg-config --cflags --libs sdl SDL_ttf) \
    || fail "the text checker did not build"
convert "$game/gdat/background.png" BMP3:"$work/background.bmp"
# Prints which of the candidates $2... the tally row at y $1 shows.
value() {
    local y=$1
    shift
    "$work/textcheck" "$game/gdat/anglepoi.ttf" 24 "$work/tally.bmp" "$work/background.bmp" \
        420 "$y" "$@" || echo "?"
}
# Prints the number from $2 to $3 that the tally row at y $1 shows.
number() { value "$1" $(seq "$2" "$3"); }

# The tally as it stands: sets old, time_bonus, level_score and new_score,
# and checks the fixed rows, the sums and the password $2. $1 is the old score.
read_tally() {
    sleep 0.5
    xwd -root -silent | convert xwd:- BMP3:"$work/tally.bmp"
    old=$(number 50 "$1" "$1")
    [ "$old" = "$1" ] || fail "Original Score does not read $1"
    [ "$(value 100 100)" = 100 ] || fail "Level Bonus does not read 100"
    [ "$(value 140 300)" = 300 ] || fail "Ball Bonus (two balls) does not read 300"
    [ "$(value 180 150)" = 150 ] || fail "Health Bonus (three hearts) does not read 150"
    time_bonus=$(number 220 1 300)
    [ "$time_bonus" != "?" ] || fail "Time Bonus does not read 1 to 300"
    level_score=$((550 + time_bonus))
    new_score=$((old + level_score))
    [ "$(value 260 "$level_score")" = "$level_score" ] || fail "Level Score is not $level_score"
    [ "$(value 310 "$new_score")" = "$new_score" ] || fail "New Score is not $new_score"
    [ "$(value 350 "$2")" = "$2" ] || fail "the password shown is not $2"
    # The checker tells texts apart: the next level's password is not shown.
    [ "$(value 350 "$3")" = "?" ] || fail "the password row also matches $3"
    echo "tally: old $old, time bonus $time_bonus, level $level_score, new $new_score"
}

# --- the game ----------------------------------------------------------------------

start_xvfb
start_game "$game/quonkle" "$run"
scores_before=$(cat "$run/high.txt")

deadline=$((SECONDS + 15))
until [ "$(grey_pixels)" -gt 100 ]; do
    alive "waiting for the menu"
    [ "$SECONDS" -lt "$deadline" ] || fail "the menu never showed its grey entries"
    sleep 0.2
done
press Return
wait_for start 10 || fail "New Game did not open the start screen"
press space
wait_for gameback 10 || fail "Space did not start the first level"

xdotool keydown Right
wait_for background 40 || { xdotool keyup Right; fail "the first level was never won"; }
xdotool keyup Right
read_tally 0 135790 246801
first=$new_score

press space
wait_for gameback 10 || fail "Space on the tally did not start the second level"
alive "the second level"
xdotool keydown Right
wait_for background 20 || { xdotool keyup Right; fail "the second level was never won"; }
xdotool keyup Right
read_tally "$first" 246801 135790

# Escape, Up to "Exit Game", Return: the program ends at once.
press Escape
alive "the pause menu"
[ "$(grey_pixels)" -gt 100 ] || fail "Escape on the tally did not open the pause menu"
press Up
xdotool keydown Return
wait_exit 5
xdotool keyup Return 2>/dev/null || true
[ "$exit_status" = 0 ] || fail "exit status after Exit Game: $exit_status"
[ "$(cat "$run/high.txt")" = "$scores_before" ] || fail "Exit Game changed high.txt"
echo "PASS: two levels, scores $first and $new_score"
