// quonkle-check [-v] DIR: checks the game data in DIR (a game working
// directory) and prints one line per problem; -v first prints what it
// measured (the level table, contrast, loudness). Exit status 0 when there is
// no problem, 1 when there are problems, 2 when the check itself cannot run.

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "check/DataChecker.h"
#include "engine/Display.h"
#include "engine/SoundSystem.h"

int main(int argc, char** argv) {
    const bool verbose = argc == 3 && std::strcmp(argv[1], "-v") == 0;
    if (argc != 2 && !verbose) {
        std::fprintf(stderr, "usage: quonkle-check [-v] GAME_DIR\n");
        return 2;
    }
    const char* dir = argv[argc - 1];
    if (chdir(dir) != 0) {
        std::fprintf(stderr, "quonkle-check: cannot enter %s\n", dir);
        return 2;
    }
    // Headless unless told otherwise: the checker never shows a window.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "quonkle-check: SDL could not start: %s\n", SDL_GetError());
        return 2;
    }
    int problems = 0;
    {
        Display display(640, 480, false);
        if (!display.IsReady()) {
            std::fprintf(stderr, "quonkle-check: no video surface: %s\n", SDL_GetError());
            SDL_Quit();
            return 2;
        }
        SoundSystem sound;
        DataChecker checker(display, sound);
        checker.CheckAll();
        for (const std::string& line : verbose ? checker.Figures() : std::vector<std::string>()) {
            std::printf("%s\n", line.c_str());
        }
        for (const std::string& problem : checker.Problems()) {
            std::printf("%s\n", problem.c_str());
        }
        problems = static_cast<int>(checker.Problems().size());
    }
    SDL_Quit();
    if (problems > 0) {
        std::printf("%d problem%s found in %s\n", problems, problems == 1 ? "" : "s", dir);
        return 1;
    }
    std::printf("game data in %s: no problems\n", dir);
    return 0;
}
