#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/GameState.h"
#include "engine/Keys.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/HighScoreEntryState.h"
#include "screens/EndState.h"
#include "screens/GameOverState.h"
#include "screens/MainMenuState.h"
#include "screens/ScreenData.h"
#include "screens/StartScreenState.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

std::vector<std::string> FlatLevel(bool withStart = true) {
    std::vector<std::string> rows(12, "................");
    rows[10] = withStart ? "G..............." : "................";
    rows[11] = "BBBBBBBBBBBBBBBB";
    return rows;
}

// The start, game-over and end screens on plain data, judged by the colour
// of the picture they show and by the screen that follows them.
class PictureScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        WritePlainScreenData(dir);
        dir.AddLevelImage("gdat\\first.bmp", FlatLevel());
        dir.AddLevelImage("gdat\\nostart.bmp", FlatLevel(false));
        dir.Write("levels.txt", "gdat\\first.bmp:111111\n");
        dir.Write("high.txt", "AAA:10\nBBB:20\n");
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);
    }

    // Replaces the main menu by the given screen.
    void Open(GameState* screen) {
        PopState();
        PushState(screen);
    }

    bool Shows(Uint32 rgb) const { return driver->PixelAt(320, 240) == rgb; }

    TempGameDir dir{false};
    std::unique_ptr<HeadlessDriver> driver;
};

TEST_F(PictureScreensTest, HeldSpaceFromTheMenuDoesNotStartTheGame) {
    TestMusic music;
    ASSERT_TRUE(music.Playing());
    g_levelCounter = 7;
    driver->Hold(kKeySpace);
    driver->Frames(10);
    ASSERT_NE(nullptr, driver->FrontAs<StartScreenState>());
    EXPECT_TRUE(Shows(kStartRgb));
    // The start screen leaves the music alone.
    EXPECT_TRUE(music.Playing());

    driver->Release(kKeySpace);
    driver->RunScript("frames 1\ntap space");
    auto* play = driver->FrontAs<PlayState>();
    ASSERT_NE(nullptr, play);
    EXPECT_EQ(1u, g_states.Count());
    EXPECT_EQ("gdat\\first.bmp", play->GetLevelName());
    EXPECT_EQ(0, play->GetPlayer()->GetScore());
    // A new game begins the rotation afresh, with a change of track.
    EXPECT_EQ(3, g_levelCounter);
}

TEST_F(PictureScreensTest, StartScreenStaysWhileTheFirstLevelCannotBePlayed) {
    Open(new StartScreenState());
    const char* const lists[] = {
        nullptr,  // no levels.txt at all
        "",
        "\ngdat\\first.bmp:111111\n",
        "gdat\\nostart.bmp:111111\n",
    };
    for (const char* list : lists) {
        if (list) {
            dir.Write("levels.txt", list);
        } else {
            dir.Remove("levels.txt");
        }
        driver->RunScript("frames 1\ntap space\nframes 1");
        ASSERT_NE(nullptr, driver->FrontAs<StartScreenState>()) << (list ? list : "no file");
        EXPECT_TRUE(Shows(kStartRgb));
    }
    // A later Space tries again.
    dir.Write("levels.txt", "gdat\\first.bmp:111111");
    driver->RunScript("tap space");
    EXPECT_NE(nullptr, driver->FrontAs<PlayState>());
}

TEST_F(PictureScreensTest, GameOverSilencesTheMusicAndEntersTheScore) {
    TestMusic music;
    ASSERT_TRUE(music.Playing());
    // Space held down on the screen before, as on the last frame of play.
    Open(new GameState());
    driver->Hold(kKeySpace);
    driver->Frame();
    Open(new GameOverState(4321));
    EXPECT_FALSE(music.Playing());
    driver->Frames(5);
    ASSERT_NE(nullptr, driver->FrontAs<GameOverState>());
    EXPECT_TRUE(Shows(kGameOverRgb));

    driver->Release(kKeySpace);
    driver->RunScript("frames 1\ntap space\nframes 1");
    ASSERT_NE(nullptr, driver->FrontAs<HighScoreEntryState>());
    driver->RunScript("type xyz\ntap return\nframes 1");
    EXPECT_NE(std::string::npos, dir.Read("high.txt").find("XYZ:4321"));
}

TEST_F(PictureScreensTest, EndScreenSilencesTheMusicAndPassesALowScoreToTheMenu) {
    TestMusic music;
    ASSERT_TRUE(music.Playing());
    Open(new EndState(10));
    EXPECT_FALSE(music.Playing());
    driver->Frame();
    EXPECT_TRUE(Shows(kEndRgb));
    // 10 does not beat the lowest line: one frame of the entry, then the menu.
    driver->RunScript("tap space\nframes 1");
    EXPECT_NE(nullptr, driver->FrontAs<MainMenuState>());
    EXPECT_EQ("AAA:10\nBBB:20\n", dir.Read("high.txt"));
}

}  // namespace
