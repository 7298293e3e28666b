#include "progress/PasswordState.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Keys.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/LevelList.h"
#include "screens/MainMenuState.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

// A level: the player starts at the left of the bottom row, ground below.
const std::vector<std::string> kWalk = {"................", "................", "................",
                                        "................", "................", "................",
                                        "................", "................", "................",
                                        "................", "G...............", "BBBBBBBBBBBBBBBB"};

class PasswordScreenTest : public ::testing::Test {
protected:
    PasswordScreenTest() {
        dir.AddLevelImage("gdat\\walk.bmp", kWalk);
        dir.AddLevelImage("gdat\\tiny.bmp", {"G..............."});
        dir.Write("levels.txt", "gdat\\walk.bmp:123456\ngdat\\tiny.bmp:777777\n");
    }
    // Starts the program and chooses "Enter Password" from the menu.
    void Open() {
        game = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(game->Started());
        game->RunScript("frames 2\ntap down\nframes 1\ntap return\nframes 1");
        ASSERT_TRUE(OnPassword());
    }
    bool OnPassword() const { return game->FrontAs<PasswordState>() != nullptr; }
    bool OnMenu() const { return game->FrontAs<MainMenuState>() != nullptr; }
    PlayState* Play() const { return game->FrontAs<PlayState>(); }

    TempGameDir dir;
    std::unique_ptr<HeadlessDriver> game;
};

}  // namespace

TEST_F(PasswordScreenTest, PasswordOpensItsLevelAsANewGame) {
    Open();
    // The password a tally shows for the level is the one that opens it.
    std::string password, next;
    ASSERT_EQ(LevelLookup::Found, FindLevelAfter("gdat\\walk.bmp", password, next));
    g_levelCounter = 7;
    bool firstTrack = g_playFirstTrack;
    game->RunScript("type " + password + "\ntap return");
    ASSERT_NE(nullptr, Play());
    EXPECT_EQ("gdat\\walk.bmp", Play()->GetLevelName());
    EXPECT_TRUE(Play()->IsLevelBuilt());
    EXPECT_EQ(0, Play()->GetPlayer()->GetScore());
    EXPECT_EQ(3, Play()->GetPlayer()->GetHealth());
    EXPECT_EQ(2, Play()->GetPlayer()->GetBalls());
    // The counter starts again, so the level switches the music.
    EXPECT_EQ(3, g_levelCounter);
    EXPECT_NE(firstTrack, g_playFirstTrack);
}

TEST_F(PasswordScreenTest, DigitRules) {
    Open();
    // Of two digits in one frame the lower is taken; a seventh is ignored;
    // the sixth digit and Return in one frame confirm all six.
    game->Tap('5');
    game->Tap('1');
    game->Frames(2);
    game->RunScript("type 2345");
    game->Tap('6');
    game->Tap(kKeyReturn);
    game->Frame();
    ASSERT_NE(nullptr, Play());
    EXPECT_EQ("gdat\\walk.bmp", Play()->GetLevelName());
    game.reset();

    Open();
    game->RunScript("type 1234567\ntap return");
    ASSERT_NE(nullptr, Play());
    EXPECT_EQ("gdat\\walk.bmp", Play()->GetLevelName());
}

TEST_F(PasswordScreenTest, WrongOrShortPasswordsReturnToTheMenu) {
    for (const char* script : {"tap return", "type 12345\ntap return", "type 654321\ntap return",
                               "type 1234567\ntap backspace\nframes 1\ntap return"}) {
        Open();
        game->RunScript(script);
        EXPECT_TRUE(OnMenu()) << script;
        game.reset();
    }
}

TEST_F(PasswordScreenTest, LevelsThatCannotOpenKeepTheScreen) {
    // Listed, but with an image too small to hold a level; then with
    // levels.txt missing.
    for (bool listed : {true, false}) {
        if (!listed) {
            dir.Remove("levels.txt");
        }
        Open();
        game->RunScript(listed ? "type 777777\ntap return\nframes 1"
                               : "type 123456\ntap return\nframes 1\ntap return\nframes 1");
        EXPECT_TRUE(OnPassword()) << listed;
        game->RunScript("tap backspace\nframes 1\ntap return");
        EXPECT_TRUE(OnMenu()) << listed;
        game.reset();
    }
}
