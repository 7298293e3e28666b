#include "screens/PauseMenuState.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/GameState.h"
#include "engine/Keys.h"
#include "engine/StateStack.h"
#include "progress/HighScoreEntryState.h"
#include "screens/ScreenData.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

const char* const kItems[] = {"Return to Game", "Exit to Menu", "Exit Game"};
const int kItemX[] = {240, 254, 266};
const int kItemY[] = {100, 150, 200};

// Stands in for the play screen or the tally beneath the menu.
class PausedScreen : public GameState {
public:
    explicit PausedScreen(bool* deleted) : deleted(deleted) {}
    ~PausedScreen() override { *deleted = true; }
    void Update() override { ++updates; }

    int updates = 0;

private:
    bool* deleted;
};

class PauseMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        WritePlainScreenData(dir);
        dir.Write("high.txt", "AAA:10\nBBB:20\n");
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);
        // In place of the main menu: a paused screen with the menu over it.
        PopState();
        paused = new PausedScreen(&pausedDeleted);
        PushState(paused);
        PushState(new PauseMenuState(1234));
        driver->Frame();
    }

    // The highlight as the screen shows it: -1 unless exactly one item is
    // white and the other two grey.
    int Highlighted() const {
        int found = -1;
        for (int i = 0; i < 3; ++i) {
            bool white = ShowsText(*driver, dir, 32, kItemX[i], kItemY[i], kItems[i], kWhiteRgb);
            bool grey = ShowsText(*driver, dir, 32, kItemX[i], kItemY[i], kItems[i], kGreyRgb);
            if (white == grey || (white && found >= 0)) {
                return -1;
            }
            if (white) {
                found = i;
            }
        }
        return found;
    }

    TempGameDir dir{false};
    std::unique_ptr<HeadlessDriver> driver;
    PausedScreen* paused = nullptr;
    bool pausedDeleted = false;
};

// Held keys and Down against Up are the shared menu list's, tested on the
// main menu; here the items' places and what the pause adds.
TEST_F(PauseMenuTest, ArrowsWrapWhileEscapeAndTheMouseDoNothing) {
    EXPECT_EQ(0, Highlighted());
    driver->RunScript("tap up\nframes 1");
    EXPECT_EQ(2, Highlighted());
    driver->RunScript("tap down\nframes 1\ntap down\nframes 1");
    EXPECT_EQ(1, Highlighted());
    driver->RunScript("tap escape\nclick left\nclick right\nmouse 10 10\nframes 3");
    EXPECT_EQ(1, Highlighted());
    EXPECT_NE(nullptr, driver->FrontAs<PauseMenuState>());
    EXPECT_EQ(0, paused->updates);
}

TEST_F(PauseMenuTest, ReturnToGameResumesTheSameScreen) {
    driver->RunScript("tap space");
    ASSERT_FALSE(pausedDeleted);
    EXPECT_EQ(paused, driver->Front());
    EXPECT_EQ(0, paused->updates);
    driver->Frame();
    EXPECT_EQ(1, paused->updates);
}

TEST_F(PauseMenuTest, DownAndReturnTogetherExitToMenuWithTheScore) {
    TestMusic music;
    ASSERT_TRUE(music.Playing()) << "the dummy audio driver should open";
    driver->Tap(kKeyDown);
    driver->Tap(kKeyReturn);
    driver->Frame();
    // The highlight had not moved on the screen, yet the moved-to item ran.
    EXPECT_TRUE(pausedDeleted);
    EXPECT_NE(nullptr, driver->FrontAs<HighScoreEntryState>());
    EXPECT_EQ(1u, g_states.Count());
    EXPECT_FALSE(music.Playing());
}

TEST_F(PauseMenuTest, ExitGameEndsTheProgramWithoutWritingScores) {
    driver->RunScript("tap up\ntap return");
    EXPECT_TRUE(pausedDeleted);
    EXPECT_TRUE(driver->Ended());
    driver.reset();
    EXPECT_EQ("AAA:10\nBBB:20\n", dir.Read("high.txt"));
}

}  // namespace
