// quonkle-bot: finds a winning game of a level by playing the real game
// headless, and writes it as a recording of the whole program from its
// start: the main menu, "Enter Password", the level's six digits, the level
// to its tally. `quonkle --play FILE` shows it.
//
//   quonkle-bot [--seconds S] [--trace] GAME_DIR LEVEL FILE   one level (1 = the first)
//   quonkle-bot [--seconds S] [--trace] --all GAME_DIR DIR    every level, DIR/levelNN.run
//
// --seconds bounds each level's search (1800 by default); --trace writes a
// line on stderr for each game the search keeps, to see where it gets.
// Each level is searched in a process of its own, so rand starts afresh as
// in a program just started. Prints a line a level. Exit status 0 when every
// level was won, 1 when one was not, 2 when the search could not run.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bot/LevelSearch.h"
#include "engine/CommandLine.h"
#include "engine/HeadlessPlatform.h"
#include "engine/HostPath.h"
#include "engine/Keys.h"
#include "engine/Recording.h"
#include "engine/RecordingPlatform.h"
#include "progress/LevelChecksum.h"
#include "progress/LevelList.h"

namespace {

// The game process works in the game folder: names given relative to the
// folder the bot started in are made whole first.
std::string Absolute(const std::string& path) {
    char here[4096];
    if (path.empty() || path[0] == '/' || !getcwd(here, sizeof here)) {
        return path;
    }
    return std::string(here) + "/" + path;
}

std::vector<LevelEntry> ReadLevels(const std::string& folder) {
    std::vector<LevelEntry> levels;
    std::ifstream file(folder + "/levels.txt");
    std::string line;
    while (std::getline(file, line)) {
        StripCarriageReturn(line);
        if (!line.empty()) {
            levels.push_back(SplitLevelLine(line));
        }
    }
    return levels;
}

std::string Where(const Snapshot& s) {
    char text[96];
    std::snprintf(text, sizeof text, "nearest the way out at (%d, %d) with %d heart%s",
                  static_cast<int>(s.x), static_cast<int>(s.y), s.health, s.health == 1 ? "" : "s");
    return text;
}

// Plays from the program's start to the level, searches it and writes the
// run to path. The status as for the program.
int SearchLevel(const std::string& folder, int number, const LevelEntry& level,
                const std::string& path, const LevelSearch::Options& options) {
    const std::string name = "level " + std::to_string(number) + ", " + level.name;
    HeadlessPlatform game;
    RecordingPlatform recorder(game);
    if (!game.Start(folder, false, &recorder)) {
        std::printf("%s: the game does not start in %s\n", name.c_str(), folder.c_str());
        return 2;
    }
    // SDL takes these for a window's close; here they stop the search.
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    // The main menu, its second entry, the password and Return.
    game.RunUntil([&] { return game.ScreenName() == "MainMenuState"; }, 100);
    game.Tap(kKeyDown), game.Frames(2);
    game.Tap(kKeyReturn), game.Frames(2);
    for (char digit : level.password) {
        game.Tap(static_cast<unsigned char>(digit)), game.Frames(2);
    }
    game.Tap(kKeyReturn), game.Frame();
    if (game.ScreenName() != "PlayState" || level.password.size() != 6) {
        std::printf("%s: its password %s does not open it\n", name.c_str(), level.password.c_str());
        return 2;
    }
    Recording header;
    header.gameVersion = GameVersion();
    header.levelsChecksum = LevelChecksum();
    header.tallyPassword = level.password;
    const std::string unfinished = path + ".new";
    LevelSearch search(game, recorder, options);
    const LevelSearch::Result result = search.Run(unfinished, header);
    if (result.won && std::rename(unfinished.c_str(), path.c_str()) == 0) {
        std::printf(
            "%s: won in %.2f s of play, %d points at the tally; %.1f s of search, "
            "%d games\n",
            name.c_str(), result.end.tallyMs / 1000.0, result.end.score, result.seconds,
            result.games);
        return 0;
    }
    std::remove(unfinished.c_str());
    if (result.failed) {
        std::printf(
            "%s: the search failed (a game process stopped answering, or %s could not "
            "be written)\n",
            name.c_str(), path.c_str());
        return 2;
    }
    std::printf("%s: NOT WON %s (%d games, %.1f s; %s)\n", name.c_str(),
                result.timedOut ? "within the time allowed" : "by any game tried: none is left",
                result.games, result.seconds, Where(result.furthest).c_str());
    return 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: quonkle-bot [--seconds S] [--trace] GAME_DIR LEVEL FILE\n"
                 "       quonkle-bot [--seconds S] [--trace] --all GAME_DIR DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    LevelSearch::Options options;
    std::vector<std::string> args(argv + 1, argv + argc);
    bool all = false;
    while (!args.empty() && args[0].compare(0, 2, "--") == 0) {
        if (args[0] == "--all") {
            all = true;
            args.erase(args.begin());
        } else if (args[0] == "--trace") {
            options.trace = true;
            args.erase(args.begin());
        } else if (args[0] == "--seconds" && args.size() > 1) {
            options.seconds = std::atof(args[1].c_str());
            args.erase(args.begin(), args.begin() + 2);
        } else {
            return Usage();
        }
    }
    if (args.size() != (all ? 2u : 3u) || options.seconds <= 0) {
        return Usage();
    }
    const std::string folder = Absolute(args[0]);
    const std::vector<LevelEntry> levels = ReadLevels(folder);
    int first = 1, last = static_cast<int>(levels.size());
    if (!all) {
        first = last = std::atoi(args[1].c_str());
        if (first < 1 || first > static_cast<int>(levels.size())) {
            std::fprintf(stderr, "quonkle-bot: %s lists no level %s\n", folder.c_str(),
                         args[1].c_str());
            return 2;
        }
    }
    int status = 0;
    for (int number = first; number <= last; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "/level%02d.run", number);
        const std::string path = Absolute(all ? args[1] + name : args[2]);
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            const int code = SearchLevel(folder, number, levels[number - 1], path, options);
            std::fflush(stdout);
            _exit(code);
        }
        int code = 2;
        if (child < 0 || waitpid(child, &code, 0) != child || !WIFEXITED(code)) {
            std::printf("level %d: the search ended abnormally\n", number);
            code = 2;
        } else {
            code = WEXITSTATUS(code);
        }
        status = std::max(status, code);
    }
    return status;
}
