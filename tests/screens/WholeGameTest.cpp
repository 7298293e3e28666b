#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Globals.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/HighScoreEntryState.h"
#include "progress/HighScoreTableState.h"
#include "progress/LevelOverState.h"
#include "screens/EndState.h"
#include "screens/GameOverState.h"
#include "screens/MainMenuState.h"
#include "screens/ScreenData.h"
#include "screens/StartScreenState.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

// Bottom row of ground, the player starting in the given column of it.
std::vector<std::string> BottomWalk(int startColumn) {
    std::vector<std::string> rows(12, "................");
    rows[10][startColumn] = 'G';
    rows[11] = "BBBBBBBBBBBBBBBB";
    return rows;
}

// Whole games of the real program on the generated art, with levels and a
// level list of the test's own.
class WholeGameTest : public ::testing::Test {
protected:
    void Start() {
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);
        ASSERT_NE(nullptr, driver->FrontAs<MainMenuState>());
    }

    // Holds Right until the tally shows; the frame clock then stands at the
    // frame in which the level was won.
    bool WalkToTally() {
        driver->Hold(kKeyRight);
        bool won =
            driver->RunUntil([&] { return driver->FrontAs<LevelOverState>() != nullptr; }, 3000);
        driver->Release(kKeyRight);
        return won;
    }

    // Level start and end are frame ticks: the tally's figures follow.
    static int TallyScore(int oldScore, Uint32 levelStart, Uint32 levelEnd) {
        int elapsed = static_cast<int>(levelEnd - levelStart);
        int timeBonus = elapsed < 60000 ? (60000 - elapsed) / 200 : 0;
        return oldScore + 100 + 2 * 150 + 3 * 50 + timeBonus;
    }

    bool ShowsValue(int y, const std::string& text) const {
        return ShowsText(*driver, dir, 24, 420, y, text);
    }

    // The sample on the music channel, or null when it is silent.
    static Mix_Chunk* MusicPlaying() { return Mix_Playing(0) ? Mix_GetChunk(0) : nullptr; }
    static Mix_Chunk* Track(const char* name) {
        Sound* sound = g_resources->GetSound(name);
        return sound ? sound->GetChunk() : nullptr;
    }

    TempGameDir dir;
    std::unique_ptr<HeadlessDriver> driver;
};

TEST_F(WholeGameTest, TwoLevelsCarryTheScoreToTheEndAndTheTable) {
    dir.AddLevelImage("gdat\\walk1.bmp", BottomWalk(0));
    dir.AddLevelImage("gdat\\walk2.bmp", BottomWalk(7));
    dir.Write("levels.txt", "gdat\\walk1.bmp:314159\ngdat\\walk2.bmp:271828\n");
    Start();

    // One frame between two presses of the same key: two taps in a row
    // would read as one held key.
    driver->RunScript("tap return\nframes 1\ntap space");
    ASSERT_NE(nullptr, driver->FrontAs<PlayState>());
    Uint32 levelStart = g_lastTicks;
    ASSERT_TRUE(WalkToTally());
    int first = TallyScore(0, levelStart, g_lastTicks);
    driver->Frame();
    EXPECT_EQ(first, driver->FrontAs<LevelOverState>()->GetScore());
    EXPECT_TRUE(ShowsValue(50, "0"));
    EXPECT_TRUE(ShowsValue(310, std::to_string(first)));
    EXPECT_TRUE(ShowsValue(350, "314159"));

    driver->RunScript("tap space");
    auto* play = driver->FrontAs<PlayState>();
    ASSERT_NE(nullptr, play);
    EXPECT_EQ("gdat\\walk2.bmp", play->GetLevelName());
    EXPECT_EQ(first, play->GetPlayer()->GetScore());
    levelStart = g_lastTicks;
    ASSERT_TRUE(WalkToTally());
    int second = TallyScore(first, levelStart, g_lastTicks);
    driver->Frame();
    EXPECT_TRUE(ShowsValue(50, std::to_string(first)));
    EXPECT_TRUE(ShowsValue(310, std::to_string(second)));
    EXPECT_TRUE(ShowsValue(350, "271828"));

    // After the last level: the end screen, then the name entry and the table.
    driver->RunScript("tap space");
    auto* end = driver->FrontAs<EndState>();
    ASSERT_NE(nullptr, end);
    EXPECT_EQ(second, end->GetScore());
    driver->RunScript("frames 1\ntap space\nframes 1\ntype abc\ntap return");
    EXPECT_NE(nullptr, driver->FrontAs<HighScoreTableState>());
    EXPECT_NE(std::string::npos, dir.Read("high.txt").find("ABC:" + std::to_string(second)));
    driver->RunScript("frames 1\ntap space");
    EXPECT_NE(nullptr, driver->FrontAs<MainMenuState>());
}

TEST_F(WholeGameTest, ZombiesTakeTheHeartsAndEndTheGame) {
    // The player stands still; three zombies walk the bottom row until each
    // has touched him.
    std::vector<std::string> level = BottomWalk(0);
    level[10] = "G...R....R....R.";
    dir.AddLevelImage("gdat\\zombies.bmp", level);
    dir.Write("levels.txt", "gdat\\zombies.bmp:123456\n");
    const std::string scores = dir.Read("high.txt");
    Start();

    driver->RunScript("tap return\nframes 1\ntap space");
    ASSERT_NE(nullptr, driver->FrontAs<PlayState>());
    EXPECT_NE(nullptr, MusicPlaying());
    ASSERT_TRUE(
        driver->RunUntil([&] { return driver->FrontAs<GameOverState>() != nullptr; }, 20000));
    // Each touch breaks the zombie: three hearts, three zombies, 75 points.
    EXPECT_EQ(75, driver->FrontAs<GameOverState>()->GetScore());
    EXPECT_EQ(nullptr, MusicPlaying());

    // 75 does not make the table: back to the menu, the file untouched.
    driver->RunScript("frames 1\ntap space\nframes 1");
    EXPECT_NE(nullptr, driver->FrontAs<MainMenuState>());
    EXPECT_EQ(scores, dir.Read("high.txt"));
}

TEST_F(WholeGameTest, MusicChangesOnTheFirstAndEveryThirdLevelAcrossGames) {
    std::string list;
    for (int i = 1; i <= 4; ++i) {
        std::string name = "gdat\\short" + std::to_string(i) + ".bmp";
        dir.AddLevelImage(name, BottomWalk(14));
        list += name + ":00000" + std::to_string(i) + "\n";
    }
    dir.Write("levels.txt", list);
    // No score of these games makes the table.
    std::string scores;
    for (int i = 0; i < 10; ++i) {
        scores += "TOP:999999\n";
    }
    dir.Write("high.txt", scores);
    Start();
    Mix_Chunk* first = Track("sdat\\music1.ogg");
    Mix_Chunk* second = Track("sdat\\music2.ogg");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);

    const Mix_Chunk* expected[] = {first, first, first, second};
    driver->RunScript("tap return\nframes 1\ntap space");
    for (int level = 0; level < 4; ++level) {
        ASSERT_NE(nullptr, driver->FrontAs<PlayState>()) << level;
        EXPECT_EQ(expected[level], MusicPlaying()) << "level " << level + 1;
        ASSERT_TRUE(WalkToTally());
        driver->RunScript("tap space");
    }
    ASSERT_NE(nullptr, driver->FrontAs<EndState>());
    EXPECT_EQ(nullptr, MusicPlaying());

    // A new game switches again, to the track not chosen last.
    driver->RunScript("frames 1\ntap space\nframes 1\ntap return\nframes 1\ntap space");
    ASSERT_NE(nullptr, driver->FrontAs<PlayState>());
    EXPECT_EQ(first, MusicPlaying());
}

}  // namespace
