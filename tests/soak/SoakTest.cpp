#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "badinput/Tour.h"
#include "engine/Keys.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/HighScoreEntryState.h"
#include "progress/HighScoreTableState.h"
#include "progress/LevelOverState.h"
#include "progress/PasswordState.h"
#include "screens/EndState.h"
#include "screens/GameOverState.h"
#include "screens/MainMenuState.h"
#include "screens/PauseMenuState.h"
#include "screens/SplashState.h"
#include "screens/StartScreenState.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

int EnvOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// Plays for hours without a plan: on every screen it does what a restless
// player might, from a seeded random source. Each level is played in one of
// two moods: wandering (walks either way, pauses often) or running (right
// only, straight at the exit or the zombies). Menus are worked from the
// entry they open on, and the two items that quit the program are never
// chosen.
class Monkey {
public:
    Monkey(HeadlessDriver& driver, unsigned seed, std::vector<std::string> passwords)
        : driver(driver), random(seed), passwords(std::move(passwords)) {}

    // One action on the screen in front: a few frames.
    void Act() {
        // A play screen met after anything but play or pause is a new level
        // (its address may well be the last one's).
        const bool inLevel = levelGoingOn;
        levelGoingOn = driver.FrontAs<PlayState>() || driver.FrontAs<PauseMenuState>();
        if (driver.FrontAs<MainMenuState>()) {
            // 0 New Game, 1 Enter Password, 2 High Scores.
            int item = Pick({30, 55, 15});
            for (int i = 0; i < item; ++i) {
                Press(kKeyDown);
            }
            Press(Chance(0.8) ? kKeySpace : kKeyReturn);
        } else if (driver.FrontAs<PasswordState>()) {
            std::string typed;
            if (Chance(0.85)) {
                typed = passwords[Below(passwords.size())];
            } else {
                for (int n = Below(8); n > 0; --n) {
                    typed += static_cast<char>('0' + Below(10));
                }
            }
            TypeWithSlips(typed, '0', 10);
            Press(kKeyReturn);
            // A listed level that cannot be played keeps the screen: clear
            // the entry and leave.
            if (driver.FrontAs<PasswordState>()) {
                for (int i = 0; i < 8; ++i) {
                    Press(kKeyBackspace);
                }
                Press(kKeyReturn);
            }
        } else if (PlayState* play = driver.FrontAs<PlayState>()) {
            if (!inLevel) {
                running = Chance(0.5);
            }
            Play(play);
        } else if (driver.FrontAs<PauseMenuState>()) {
            // 0 Return to Game, 1 Exit to Menu; a change of mind on the way.
            if (Chance(0.2)) {
                Press(kKeyDown);
                Press(kKeyUp);
            }
            if (Chance(0.5)) {
                Press(kKeyDown);
            }
            Press(kKeySpace);
        } else if (driver.FrontAs<LevelOverState>()) {
            Frames(Below(60));
            Press(Chance(0.9) ? kKeySpace : kKeyEscape);
        } else if (driver.FrontAs<HighScoreEntryState>()) {
            std::string name;
            for (int i = 0; i < 3; ++i) {
                name += static_cast<char>('a' + Below(26));
            }
            TypeWithSlips(name, 'a', 26);
            Press(kKeyReturn);
        } else {
            // Splash, start, game-over, end and table screens: look, then Space.
            Frames(Below(40));
            Press(kKeySpace);
        }
    }

private:
    // A stretch of play: walking (mostly right, the way out), hopping, aiming
    // and throwing with either button; now and then the pause menu.
    void Play(PlayState* play) {
        const float startX = play->GetPlayer()->GetX();
        int stretch = 15 + Below(75);
        int direction = running ? 0 : Pick({60, 25, 15});
        if (direction == 0) {
            driver.Hold(kKeyRight);
        } else if (direction == 1) {
            driver.Hold(kKeyLeft);
        }
        bool stillPlaying = true;
        for (int i = 0; i < stretch && stillPlaying; ++i) {
            if (Chance(0.02)) {
                driver.Hold(kKeyUp);
            } else if (Chance(0.05)) {
                driver.Release(kKeyUp);
            }
            if (Chance(0.05)) {
                driver.SetMouse(Below(700) - 30, Below(540) - 30);
            }
            // A runner does not stop to throw.
            if (!running && Chance(0.03)) {
                driver.Click(Chance(0.5) ? kButtonLeft : kButtonRight);
            }
            driver.Frame();
            stillPlaying = driver.FrontAs<PlayState>() == play;
        }
        driver.Release(kKeyRight);
        driver.Release(kKeyLeft);
        driver.Release(kKeyUp);
        if (!stillPlaying) {
            return;
        }
        // A runner stuck against a wall gives up soon.
        bool stuck = running && play->GetPlayer()->GetX() == startX;
        if (Chance(stuck ? 0.5 : running ? 0.02 : 0.12)) {
            Press(kKeyEscape);
        }
    }

    void TypeWithSlips(const std::string& text, char first, int range) {
        for (char c : text) {
            if (Chance(0.05)) {
                Press(KeyByName(std::string(1, static_cast<char>(first + Below(range)))));
                Press(kKeyBackspace);
            }
            Press(KeyByName(std::string(1, c)));
        }
    }

    // Down for one frame, up for the next, so that a repeat is a new press.
    void Press(int key) {
        driver.Tap(key);
        driver.Frame();
        driver.Frame();
    }

    void Frames(int n) { driver.Frames(n); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; }
    int Below(std::size_t n) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random));
    }
    int Pick(std::initializer_list<double> weights) {
        return std::discrete_distribution<int>(weights)(random);
    }

    HeadlessDriver& driver;
    std::mt19937 random;
    std::vector<std::string> passwords;
    bool levelGoingOn = false;
    bool running = false;
};

std::string ScreenName(HeadlessDriver& driver) {
    if (driver.FrontAs<SplashState>())
        return "splash";
    if (driver.FrontAs<MainMenuState>())
        return "main menu";
    if (driver.FrontAs<StartScreenState>())
        return "start";
    if (driver.FrontAs<PasswordState>())
        return "password";
    if (driver.FrontAs<PlayState>())
        return "play";
    if (driver.FrontAs<PauseMenuState>())
        return "pause";
    if (driver.FrontAs<LevelOverState>())
        return "tally";
    if (driver.FrontAs<GameOverState>())
        return "game over";
    if (driver.FrontAs<EndState>())
        return "end";
    if (driver.FrontAs<HighScoreEntryState>())
        return "name entry";
    if (driver.FrontAs<HighScoreTableState>())
        return "table";
    return "unknown";
}

// Bytes the allocator has handed out and not had back; 0 where a sanitizer
// replaces the allocator (which then checks for leaks itself). Freed blocks
// that glibc keeps in its per-thread cache count as in use: up to a few
// hundred kilobytes of noise, unless the cache is turned off
// (GLIBC_TUNABLES=glibc.malloc.tcache_count=0, as make soak does).
std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

std::size_t HeapNoise() {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    bool cacheOff = tunables && std::strstr(tunables, "tcache_count=0");
    return (cacheOff ? 64 : 512) * 1024;
}

}  // namespace

// QUONKLE_SOAK_FRAMES sets the length (make soak runs 100000), and
// QUONKLE_SOAK_SEED the random source.
TEST(SoakTest, RandomPlayOverTheWholeCampaignOnEveryScreenWithFlatMemory) {
    const int frames = EnvOr("QUONKLE_SOAK_FRAMES", 20000);
    const unsigned seed = static_cast<unsigned>(EnvOr("QUONKLE_SOAK_SEED", 1));
    TempGameDir dir;
    // The shipped campaign, and after its end a short level that only its
    // password opens, whose completion shows the end screen.
    std::vector<std::string> bonus(12, "................");
    bonus[10][0] = 'G';
    bonus[11] = std::string(16, 'B');
    dir.AddLevelImage("gdat\\soakwalk.bmp", bonus);
    dir.Write("levels.txt", GeneratedFile("levels.txt") + "\ngdat\\soakwalk.bmp:000001\n");
    std::vector<std::string> passwords = {"000001"};
    std::istringstream list(GeneratedFile("levels.txt"));
    std::map<std::string, std::string> levelOf;
    for (std::string line; std::getline(list, line);) {
        std::string::size_type colon = line.find(':');
        if (colon != std::string::npos) {
            passwords.push_back(line.substr(colon + 1, 6));
            levelOf[line.substr(0, colon)] = line.substr(colon + 1, 6);
        }
    }

    HeadlessDriver driver(dir.Path());
    ASSERT_TRUE(driver.Started());
    Monkey monkey(driver, seed, passwords);
    std::map<std::string, int> screens;
    std::map<std::string, int> levels;
    // The heap each time the main menu is reached, the lightest moment.
    std::vector<std::pair<Uint32, std::size_t>> menuHeap;
    while (driver.FrameCount() < static_cast<Uint32>(frames)) {
        ASSERT_FALSE(driver.Ended()) << "the program ended at frame " << driver.FrameCount();
        const std::string screen = ScreenName(driver);
        ASSERT_NE("unknown", screen);
        ++screens[screen];
        if (auto* play = driver.FrontAs<PlayState>()) {
            ++levels[play->GetLevelName()];
        }
        if (screen == "main menu") {
            menuHeap.emplace_back(driver.FrameCount(), HeapInUse());
        }
        monkey.Act();
    }

    std::ostringstream seen;
    for (const auto& entry : screens) {
        seen << entry.first << " " << entry.second << ", ";
    }
    std::cout << "soak: " << frames << " frames, " << levels.size() << " levels played; "
              << seen.str() << menuHeap.size() << " visits to the main menu\n";
    // Losing a game and finishing the campaign's end take luck: the short
    // run asks only for the screens on the way.
    std::vector<std::string> expected = {"main menu", "start", "password",   "play",
                                         "pause",     "tally", "name entry", "table"};
    if (frames >= 100000) {
        expected.push_back("game over");
        expected.push_back("end");
    }
    for (const std::string& screen : expected) {
        EXPECT_GT(screens[screen], 0) << screen << " never reached; seen " << seen.str();
    }
    // Every level of the campaign and the extra one, in a long run.
    EXPECT_GE(levels.size(), std::min<std::size_t>(levelOf.size() + 1, frames / 4000))
        << "too few levels played";

    // Memory: the menu-time heap in the second half of the run is no larger
    // than between warm-up and a third of the way, give or take the
    // allocator's cache.
    ASSERT_GE(menuHeap.size(), 8u);
    std::size_t early = 0;
    std::size_t late = 0;
    for (const auto& sample : menuHeap) {
        if (sample.first > static_cast<Uint32>(frames) / 10 &&
            sample.first < static_cast<Uint32>(frames) / 3) {
            early = std::max(early, sample.second);
        } else if (sample.first > static_cast<Uint32>(frames) / 2) {
            late = std::max(late, sample.second);
        }
    }
    std::cout << "soak: heap at the menu " << early << " -> " << late << " bytes\n";
    EXPECT_TRUE(early > 0 || late == 0) << "no menu visits early on";
    if (early > 0) {
        EXPECT_LT(late, early + HeapNoise())
            << "heap at the menu grew from " << early << " to " << late << " bytes";
    }
}
