#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "engine/Globals.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "screens/MainMenuState.h"
#include "screens/ScreenData.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

const int kItemTop[] = {100, 150, 200, 250};

// Plain data without a splash picture: the only white and grey pixels are
// the menu's text.
class MainMenuTest : public ::testing::Test {
protected:
    TempGameDir dir{false};
    std::unique_ptr<HeadlessDriver> driver;

    void SetUp() override {
        WritePlainScreenData(dir);
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);  // splash (loads everything), then the menu's first picture
    }

    int WhiteIn(int item) const {
        return driver->CountColour(kWhiteRgb, 0, kItemTop[item], 640, 48);
    }
    int GreyIn(int item) const { return driver->CountColour(kGreyRgb, 0, kItemTop[item], 640, 48); }
    int Selected() const {
        auto* menu = driver->FrontAs<MainMenuState>();
        return menu ? menu->Selected() : -1;
    }
    // The highlight as the picture shows it: the one entry drawn in white.
    int HighlightedOnScreen() const {
        int found = -1;
        for (int item = 0; item < 4; ++item) {
            if (WhiteIn(item) > 0) {
                EXPECT_EQ(found, -1) << "two entries drawn in white";
                EXPECT_EQ(GreyIn(item), 0);
                found = item;
            } else {
                EXPECT_GT(GreyIn(item), 0) << "entry " << item << " not drawn in grey";
            }
        }
        return found;
    }
};

TEST_F(MainMenuTest, SplashLoadsTheDataEvenWithoutItsPicture) {
    EXPECT_EQ(g_resources->SpriteCount(), 5u);
    ASSERT_NE(driver->FrontAs<MainMenuState>(), nullptr);
    EXPECT_EQ(HighlightedOnScreen(), 0);
}

TEST_F(MainMenuTest, ArrowsMoveAndWrapAndTheNextPictureShowsIt) {
    for (int i = 0; i < 4; ++i) {
        driver->RunScript("tap down\nframes 1");
    }
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(HighlightedOnScreen(), 0);
    driver->RunScript("tap up");
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(HighlightedOnScreen(), 0) << "the frame of the press still shows the old highlight";
    driver->Frame();
    EXPECT_EQ(HighlightedOnScreen(), 3);
}

TEST_F(MainMenuTest, HeldKeysMoveOnceAndDownBeatsUp) {
    driver->Hold(kKeyDown);
    driver->Frames(10);
    driver->Release(kKeyDown);
    driver->Frame();
    EXPECT_EQ(Selected(), 1);
    driver->Hold(kKeyDown);
    driver->Hold(kKeyUp);
    driver->Frame();
    EXPECT_EQ(Selected(), 2);
}

TEST_F(MainMenuTest, EscapeAndTheMouseDoNothing) {
    driver->RunScript("tap escape\nmouse 300 110\nclick left\nclick right\nframes 2");
    ASSERT_NE(driver->FrontAs<MainMenuState>(), nullptr);
    EXPECT_EQ(Selected(), 0);
}

TEST_F(MainMenuTest, ReturnOnExitEndsTheProgramAtOnce) {
    driver->RunScript("tap up\nframes 1");
    EXPECT_FALSE(driver->Ended());
    driver->Tap(kKeyReturn);
    EXPECT_FALSE(driver->Frame());
    EXPECT_TRUE(driver->Ended());
}

TEST_F(MainMenuTest, SpaceActivatesTheSelectedEntry) {
    driver->RunScript("tap space");
    EXPECT_EQ(driver->FrontAs<MainMenuState>(), nullptr);
    EXPECT_FALSE(driver->Ended());
}

TEST(StartUp, FailingVideoIsReportedOnStderrWithAFailureStatus) {
    std::string command = "cd /tmp && SDL_VIDEODRIVER=no-such-driver SDL_AUDIODRIVER=dummy '" +
                          std::string(QUONKLE_BINARY_DIR) + "/game/quonkle' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(output.find("quonkle: "), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

}  // namespace
