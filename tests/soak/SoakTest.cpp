// Random play for as long as asked, over the whole shipped campaign and
// every screen, from a seeded source: the program never ends or crashes,
// every screen is reached, and the heap at the main menu stays flat.
// QUONKLE_SOAK_FRAMES sets the length (make soak runs 100000),
// QUONKLE_SOAK_SEED the source. Under a sanitizer the heap is the
// sanitizer's own count of live bytes.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <sstream>

#include "screens/MainMenuState.h"
#include "screens/PauseMenuState.h"
#include "support/Driver.h"
#include "support/GameFolder.h"

// Defined only when a sanitizer's allocator runs the heap.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {

std::size_t HeapInUse() {
    return __sanitizer_get_current_allocated_bytes ? __sanitizer_get_current_allocated_bytes()
                                                   : mallinfo2().uordblks;
}

int EnvOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

}  // namespace

TEST(Soak, RandomPlayOverTheCampaignOnEveryScreenWithFlatMemory) {
    const int frames = EnvOr("QUONKLE_SOAK_FRAMES", 20000);
    std::mt19937 random(static_cast<unsigned>(EnvOr("QUONKLE_SOAK_SEED", 1)));
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    GameFolder folder(GameFolder::kGenerated);
    // After the campaign, a short walk that only its password opens: its
    // end is the end screen.
    std::vector<std::string> walk(12, "................");
    walk[10][0] = 'G';
    walk[11] = "BBBBBBBBBBBBBBBB";
    folder.AddLevel("gdat\\soakwalk.bmp", walk);
    folder.Write("levels.txt", folder.Read("levels.txt") + "\ngdat\\soakwalk.bmp:000001\n");
    std::vector<std::string> passwords;
    std::istringstream list(folder.Read("levels.txt"));
    for (std::string line; std::getline(list, line);) {
        passwords.push_back(line.substr(line.find(':') + 1, 6));
    }
    Driver d(folder.Path());
    ASSERT_TRUE(d.Started());
    // Moves a menu's highlight to an entry, never to the ones that quit.
    auto choose = [&](auto* menu, int entry) {
        while (menu->Selected() != entry) {
            d.Do("tap down"), d.Do("frames 1");
        }
        d.Do(below(2) ? "tap space" : "tap return");
    };
    std::map<std::string, int> seen;
    std::vector<std::size_t> menuHeap;
    while (d.FrameCount() < static_cast<Uint32>(frames)) {
        ASSERT_FALSE(d.Ended()) << "ended at frame " << d.FrameCount();
        const std::string screen = d.ScreenName();
        ++seen[screen];
        if (auto* menu = d.FrontAs<MainMenuState>()) {
            menuHeap.push_back(HeapInUse());
            choose(menu, below(4) ? below(2) : 2);
        } else if (auto* pause = d.FrontAs<PauseMenuState>()) {
            choose(pause, below(4) ? 0 : 1);
        } else if (screen == "PasswordState") {
            std::string typed = passwords[below(passwords.size())];
            typed = below(6) ? typed : typed.substr(0, below(6)) + std::to_string(below(99));
            d.Do("type " + typed), d.Do("tap return"), d.Do("frames 1");
            for (int i = 0; i < 7 && d.ScreenName() == screen; ++i) {
                d.Do("tap backspace"), d.Do("frames 1");
            }
            d.Do("tap return");
        } else if (screen == "PlayState") {
            // Mostly running for the exit, now and then wandering, waiting,
            // throwing and pausing.
            const char* keys[] = {"right", "right", "right", "left", "up", "left right", ""};
            d.Do(std::string("hold ") + keys[below(7)]);
            d.SetMouse(below(640), below(480));
            d.Do(below(3) ? "frames " + std::to_string(10 + below(100)) : "click right");
            d.Do("release left right up");
            d.Do(below(10) ? "frames 1" : "tap escape");
        } else if (screen == "HighScoreEntryState") {
            d.Do("frames 1");  // a score that does not qualify leaves at once
            if (d.ScreenName() == screen) {
                d.Do("type " + std::string(3, char('a' + below(26)))), d.Do("tap return");
            }
        } else {
            d.Do("frames " + std::to_string(below(30)));
            d.Do(below(8) ? "tap space" : "tap escape");
        }
    }
    std::ostringstream counts;
    for (const auto& [name, count] : seen) {
        counts << name << " " << count << ", ";
    }
    std::cout << "soak: " << frames << " frames: " << counts.str() << "\n";
    std::vector<std::string> expected = {
        "MainMenuState",  "StartScreenState", "PasswordState",       "PlayState",
        "PauseMenuState", "LevelOverState",   "HighScoreEntryState", "HighScoreTableState"};
    if (frames >= 100000) {
        expected.insert(expected.end(), {"GameOverState", "EndState"});
    }
    for (const std::string& name : expected) {
        EXPECT_GT(seen[name], 0) << name << " never reached";
    }
    // The menu-time heap of the second half is no larger than the largest
    // between warm-up and a third of the way, give or take what glibc keeps
    // cached (make soak turns that cache off).
    ASSERT_GE(menuHeap.size(), 8u);
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    std::size_t noise = tunables && std::strstr(tunables, "tcache_count=0") ? 64 << 10 : 512 << 10;
    std::size_t n = menuHeap.size();
    std::size_t early = *std::max_element(menuHeap.begin() + n / 4, menuHeap.begin() + n / 3 + 1);
    std::size_t late = *std::max_element(menuHeap.begin() + n / 2, menuHeap.end());
    EXPECT_LE(late, early + noise) << "heap at the menu grew from " << early << " to " << late;
    // What the tests and the bot ask every frame gives back all it takes.
    const std::size_t before = HeapInUse();
    for (int i = 0; i < 1000; ++i) {
        d.ScreenName();
    }
    EXPECT_EQ(before, HeapInUse()) << "naming the screen keeps memory";
}
