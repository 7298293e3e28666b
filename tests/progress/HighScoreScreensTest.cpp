#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "engine/GameState.h"
#include "engine/Globals.h"
#include "engine/Keys.h"
#include "engine/StateStack.h"
#include "progress/HighScoreEntryState.h"
#include "progress/HighScoreTableState.h"
#include "screens/MainMenuState.h"
#include "screens/ScreenData.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

const char* const kTen =
    "AAA:100\nBBB:200\nCCC:300\nDDD:400\nEEE:500\nFFF:600\nGGG:700\nHHH:800\nIII:900\nJJJ:1000";

// The whole program on the dummy drivers; a screen under test replaces the
// main menu the way the screens before it do.
class HighScoreScreenTest : public ::testing::Test {
protected:
    void Start(const char* highScores) {
        if (highScores) {
            dir.Write("high.txt", highScores);
        } else {
            dir.Remove("high.txt");
        }
        game = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(game->Started());
        game->Frames(2);
        ASSERT_NE(nullptr, game->FrontAs<MainMenuState>());
    }
    void OpenEntry(int score) { Open(new HighScoreEntryState(score)); }
    void Open(GameState* screen) {
        PopState();
        PushState(screen);
    }
    // Keys down together for one frame, then a frame with all keys up, so
    // the next tap is a new press.
    void TapTogether(std::initializer_list<int> keys) {
        for (int key : keys) {
            game->Tap(key);
        }
        game->Frames(2);
    }
    bool OnEntry() const { return game->FrontAs<HighScoreEntryState>() != nullptr; }

    TempGameDir dir;
    std::unique_ptr<HeadlessDriver> game;
};

}  // namespace

TEST_F(HighScoreScreenTest, OnlyAScoreAboveTheLowestIsEntered) {
    Start(kTen);
    OpenEntry(100);
    game->Frame();
    EXPECT_NE(nullptr, game->FrontAs<MainMenuState>());
    OpenEntry(101);
    game->Frames(3);
    EXPECT_TRUE(OnEntry());
    EXPECT_EQ(kTen, dir.Read("high.txt"));
}

TEST_F(HighScoreScreenTest, NameTakesThreeLettersOneAFrame) {
    Start(kTen);
    OpenEntry(650);
    game->Frame();
    // Held keys count once; of two letters in a frame the earlier one wins;
    // a fourth letter is ignored until Backspace makes room.
    game->Hold('q');
    game->Frames(4);
    game->Release('q');
    TapTogether({'z', 'b'});
    game->RunScript("type x\ntype y\ntap backspace\nframes 1\ntype m\ntap return");
    ASSERT_NE(nullptr, game->FrontAs<HighScoreTableState>());
    EXPECT_EQ(
        "BBB:200\nCCC:300\nDDD:400\nEEE:500\nFFF:600\nQBM:650\nGGG:700\nHHH:800\nIII:900\nJJJ:1000",
        dir.Read("high.txt"));
    // The table that follows shows the entry in the row its score earns.
    EXPECT_EQ("QBM", game->FrontAs<HighScoreTableState>()->NameAt(4));
    EXPECT_EQ("650", game->FrontAs<HighScoreTableState>()->ScoreTextAt(4));
}

TEST_F(HighScoreScreenTest, ConfirmationNeedsThreeLetters) {
    Start(kTen);
    OpenEntry(5000);
    game->RunScript("frames 1\ntap return\ntype ab\ntap return\nframes 2");
    EXPECT_TRUE(OnEntry());
    // A letter and Backspace in one frame cancel out.
    TapTogether({'c', kKeyBackspace});
    TapTogether({kKeyReturn});
    EXPECT_TRUE(OnEntry());
    // The third letter and Return in one frame store all three.
    TapTogether({'d', kKeyReturn});
    ASSERT_NE(nullptr, game->FrontAs<HighScoreTableState>());
    EXPECT_EQ(std::string(kTen).substr(8) + "\nABD:5000", dir.Read("high.txt"));
}

TEST_F(HighScoreScreenTest, OnlyAClickInsideTheBoxConfirms) {
    Start(kTen);
    OpenEntry(150);
    game->RunScript("frames 1\ntype abc");
    const int edges[][2] = {{207, 425}, {407, 425}, {300, 400}, {300, 450}, {100, 100}};
    for (const auto& at : edges) {
        game->SetMouse(at[0], at[1]);
        game->Click(kButtonLeft);
        game->Frames(2);
        EXPECT_TRUE(OnEntry()) << at[0] << "," << at[1];
    }
    game->RunScript("mouse 208 401\nclick left");
    EXPECT_NE(nullptr, game->FrontAs<HighScoreTableState>());
    EXPECT_EQ(0u, dir.Read("high.txt").find("ABC:150\nBBB:200"));
}

TEST_F(HighScoreScreenTest, MissingFileTakesAnyPositiveScore) {
    Start(nullptr);
    OpenEntry(0);
    game->Frame();
    EXPECT_NE(nullptr, game->FrontAs<MainMenuState>());
    OpenEntry(30);
    game->RunScript("frames 1\ntype abc\ntap return");
    ASSERT_NE(nullptr, game->FrontAs<HighScoreTableState>());
    EXPECT_EQ("ABC", game->FrontAs<HighScoreTableState>()->NameAt(0));
    // Space returns to the menu.
    game->RunScript("tap space");
    EXPECT_NE(nullptr, game->FrontAs<MainMenuState>());
}

TEST_F(HighScoreScreenTest, FailedWriteStaysAndEscapeGivesUp) {
    Start(nullptr);
    ASSERT_EQ(0, mkdir(dir.File("high.txt").c_str(), 0755));
    OpenEntry(30);
    // Escape means nothing before a write has failed.
    game->RunScript("frames 1\ntap escape\ntype abc\ntap return\nframes 1\ntap return\nframes 1");
    EXPECT_TRUE(OnEntry());
    game->RunScript("tap escape");
    EXPECT_NE(nullptr, game->FrontAs<MainMenuState>());
    EXPECT_TRUE(dir.Exists("high.txt"));
}

TEST_F(HighScoreScreenTest, TableShowsShortFilesInTheBottomRows) {
    // With and without a final line break; score texts exactly as stored.
    for (const char* file : {"ONE: 12ab\nTWO:7", "ONE: 12ab\nTWO:7\n"}) {
        Start(file);
        Open(new HighScoreTableState());
        game->Frame();
        HighScoreTableState* table = game->FrontAs<HighScoreTableState>();
        ASSERT_NE(nullptr, table);
        EXPECT_EQ("ONE", table->NameAt(9));
        EXPECT_EQ(" 12ab", table->ScoreTextAt(9));
        EXPECT_EQ("TWO", table->NameAt(8));
        EXPECT_EQ("7", table->ScoreTextAt(8));
        for (int row = 0; row < 8; ++row) {
            EXPECT_EQ("", table->NameAt(row));
            EXPECT_EQ("", table->ScoreTextAt(row));
        }
        game.reset();
    }
}

TEST(HighScoreScreenLookTest, TextsStandWhereTheScreensPutThem) {
    TempGameDir dir(false);
    WritePlainScreenData(dir);
    // Row 0 holds only a name, row 2 only a score, so their boxes stay apart.
    dir.Write("high.txt", "\n\n\n\n\n\n\n:950\n\nXYZ:");
    HeadlessDriver game(dir.Path());
    ASSERT_TRUE(game.Started());
    game.Frames(2);
    PopState();
    PushState(new HighScoreTableState());
    game.Frame();
    EXPECT_TRUE(ShowsText(game, dir, 32, 262, 10, "High Scores"));
    EXPECT_TRUE(ShowsText(game, dir, 32, 180, 50, "XYZ"));
    EXPECT_TRUE(ShowsText(game, dir, 32, 420, 120, "950"));
    EXPECT_TRUE(ShowsText(game, dir, 32, 245, 400, "Space to Return"));

    PopState();
    PushState(new HighScoreEntryState(1234));
    game.RunScript("frames 1\ntype ab");
    EXPECT_TRUE(ShowsText(game, dir, 32, 190, 10, "You got a high score of 1234"));
    EXPECT_TRUE(ShowsText(game, dir, 32, 235, 60, "Enter Your Name"));
    EXPECT_TRUE(ShowsText(game, dir, 32, 207, 400, "Press Enter to Confirm"));
    // The cursor shows for 500 ms and hides for 500 ms with the frame clock.
    game.RunUntil([] { return g_lastTicks / 500 % 2 == 0; }, 100);
    EXPECT_TRUE(ShowsText(game, dir, 32, 300, 140, "AB_"));
    game.RunUntil([] { return g_lastTicks / 500 % 2 == 1; }, 100);
    EXPECT_TRUE(ShowsText(game, dir, 32, 300, 140, "AB"));
}
