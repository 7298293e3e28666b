#include "progress/LevelOverState.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/Globals.h"
#include "engine/Keys.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/HighScoreEntryState.h"
#include "screens/EndState.h"
#include "screens/PauseMenuState.h"
#include "screens/ScreenData.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

const int kValueX = 420;

// A level with a walk along the bottom row, starting at its left end.
const std::vector<std::string> kFlatLevel = {
    "................", "................", "................", "................",
    "................", "................", "................", "................",
    "................", "................", "G...............", "BBBBBBBBBBBBBBBB",
};

// The tally on plain data: the only white pixels are its text.
class LevelOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        WritePlainScreenData(dir);
        dir.AddLevelImage("gdat\\one.bmp", kFlatLevel);
        dir.AddLevelImage("gdat\\two.bmp", kFlatLevel);
        std::vector<std::string> noStart = kFlatLevel;
        noStart[10] = std::string(16, '.');
        dir.AddLevelImage("gdat\\nostart.bmp", noStart);
        dir.Write("levels.txt", "gdat\\one.bmp:111111\ngdat\\two.bmp:222222\n");
        dir.Write("high.txt", "AAA:10\nBBB:20\n");
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);
    }

    // Replaces the front screen by the tally of a level finished elapsed ms
    // after it began, and draws it once.
    LevelOverState* OpenTally(const std::string& level, int score, int balls, int health,
                              Uint32 elapsed) {
        Player* stats = new Player();  // level start at tick 0
        stats->SetScore(score);
        stats->SetBalls(balls);
        stats->SetHealth(health);
        g_lastTicks = elapsed;
        auto* tally = new LevelOverState(level, stats);
        PopState();
        PushState(tally);
        driver->Frame();
        return tally;
    }

    bool ShowsValue(int y, const std::string& text) const {
        return ShowsText(*driver, dir, 24, kValueX, y, text);
    }

    TempGameDir dir{false};
    std::unique_ptr<HeadlessDriver> driver;
};

TEST_F(LevelOverTest, WorkedExampleShowsEveryRow) {
    LevelOverState* tally = OpenTally("gdat\\one.bmp", 500, 2, 3, 30000);
    EXPECT_EQ(1200, tally->GetScore());
    EXPECT_TRUE(ShowsText(*driver, dir, 24, 280, 5, "Level Over"));
    EXPECT_TRUE(ShowsText(*driver, dir, 24, 150, 310, "New Score"));
    EXPECT_TRUE(ShowsValue(50, "500"));
    EXPECT_TRUE(ShowsValue(100, "100"));
    EXPECT_TRUE(ShowsValue(140, "300"));
    EXPECT_TRUE(ShowsValue(180, "150"));
    EXPECT_TRUE(ShowsValue(220, "150"));
    EXPECT_TRUE(ShowsValue(260, "700"));
    EXPECT_TRUE(ShowsValue(310, "1200"));
    // The password of the level just completed, not of the next one.
    EXPECT_TRUE(ShowsValue(350, "111111"));
    EXPECT_TRUE(ShowsText(*driver, dir, 24, 255, 400, "Space to Continue"));
    // Later frames read the same figures: the bonuses are added once.
    driver->Frames(5);
    EXPECT_TRUE(ShowsValue(310, "1200"));
}

TEST_F(LevelOverTest, TimeBonusFallsToZeroOverAMinute) {
    struct Case {
        Uint32 elapsed;
        const char* bonus;
        const char* newScore;
    };
    // No balls and no hearts left: the new score is 100 plus the time bonus.
    const Case cases[] = {{0, "300", "400"},   {1, "299", "399"},     {200, "299", "399"},
                          {201, "298", "398"}, {30000, "150", "250"}, {59999, "0", "100"},
                          {60000, "0", "100"}, {600000, "0", "100"}};
    for (const Case& c : cases) {
        OpenTally("gdat\\one.bmp", 0, 0, 0, c.elapsed);
        EXPECT_TRUE(ShowsValue(220, c.bonus)) << c.elapsed;
        EXPECT_TRUE(ShowsValue(310, c.newScore)) << c.elapsed;
    }
}

TEST_F(LevelOverTest, SpaceCarriesTheScoreIntoTheNextLevel) {
    g_levelCounter = 4;
    OpenTally("gdat\\one.bmp", 500, 2, 3, 30000);
    // Space wins over Escape in the same frame.
    driver->Tap(kKeySpace);
    driver->Tap(kKeyEscape);
    driver->Frame();
    auto* play = driver->FrontAs<PlayState>();
    ASSERT_NE(nullptr, play);
    EXPECT_EQ(1u, g_states.Count());
    EXPECT_EQ("gdat\\two.bmp", play->GetLevelName());
    EXPECT_EQ(1200, play->GetPlayer()->GetScore());
    EXPECT_EQ(3, play->GetPlayer()->GetHealth());
    EXPECT_EQ(2, play->GetPlayer()->GetBalls());
    // The tally leaves the music rotation alone: only the level counts.
    EXPECT_EQ(5, g_levelCounter);
}

TEST_F(LevelOverTest, NoPlayableSuccessorLeadsToTheEndScreen) {
    const char* const lists[] = {
        "gdat\\one.bmp:111111\n",  // the last level, with a final line break
        "gdat\\one.bmp:111111",    // and without
        "gdat\\one.bmp:111111\ngdat\\nostart.bmp:222222\n",  // listed but cannot be built
        nullptr,                                             // unreadable: no password shown
    };
    for (const char* list : lists) {
        list ? dir.Write("levels.txt", list) : dir.Remove("levels.txt");
        OpenTally("gdat\\one.bmp", 500, 2, 3, 30000);
        EXPECT_TRUE(ShowsValue(310, "1200"));
        if (list) {
            EXPECT_TRUE(ShowsValue(350, "111111")) << list;
        } else {
            EXPECT_EQ(0, driver->CountColour(kWhiteRgb, kValueX, 350, 640 - kValueX, 40));
        }
        driver->RunScript("tap space");
        auto* end = driver->FrontAs<EndState>();
        ASSERT_NE(nullptr, end) << (list ? list : "no levels.txt");
        EXPECT_EQ(1200, end->GetScore());
    }
}

TEST_F(LevelOverTest, PauseOverTheTallyReturnsOrExitsWithTheBonuses) {
    LevelOverState* tally = OpenTally("gdat\\one.bmp", 500, 2, 3, 30000);
    driver->RunScript("tap escape");
    auto* pause = driver->FrontAs<PauseMenuState>();
    ASSERT_NE(nullptr, pause);
    EXPECT_EQ(1200, pause->GetScore());

    // "Return to Game": the same tally with the same figures.
    driver->RunScript("frames 30\ntap return\nframes 1");
    EXPECT_EQ(tally, driver->Front());
    EXPECT_TRUE(ShowsValue(310, "1200"));
    EXPECT_TRUE(ShowsValue(260, "700"));

    // "Exit to Menu": the score with its bonuses goes into the table.
    driver->RunScript("tap escape\ntap down\ntap return\nframes 1");
    ASSERT_NE(nullptr, driver->FrontAs<HighScoreEntryState>());
    driver->RunScript("type abc\ntap return\nframes 1");
    EXPECT_NE(std::string::npos, dir.Read("high.txt").find("ABC:1200"));
}

}  // namespace
