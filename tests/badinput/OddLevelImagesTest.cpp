#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Keys.h"
#include "game/PlayState.h"
#include "progress/LevelOverState.h"
#include "progress/PasswordState.h"
#include "screens/MainMenuState.h"
#include "screens/StartScreenState.h"
#include "support/HeadlessDriver.h"
#include "support/PngWriter.h"
#include "support/TempGameDir.h"

namespace {

const char* const kLevel = "gdat\\odd.png";

// The bottom row of ground with the player at its left end, in a picture of
// any size: palette indices 0 black, 1 green (start), 2 blue (ground).
std::vector<uint32_t> BottomWalk(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
    pixels[static_cast<std::size_t>(10) * width] = 1;
    for (int x = 0; x < 16; ++x) {
        pixels[static_cast<std::size_t>(11) * width + x] = 2;
    }
    return pixels;
}

std::vector<uint32_t> AsRgb(const std::vector<uint32_t>& indices) {
    const uint32_t colours[] = {0x000000, 0x00FF00, 0x0000FF};
    std::vector<uint32_t> rgb;
    for (uint32_t index : indices) {
        rgb.push_back(colours[index]);
    }
    return rgb;
}

// Level images in forms a level editor might save, each the only level of
// the list: those the game can read as a level are played to their end;
// the others leave the start screen and the password entry where they are.
class OddLevelImageTest : public ::testing::Test {
protected:
    void UseLevel() {
        dir.ListSprite(kLevel);
        dir.Write("levels.txt", std::string(kLevel) + ":123456\n");
    }

    void Start() {
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);
        ASSERT_NE(nullptr, driver->FrontAs<MainMenuState>());
    }

    void ExpectPlayedToTheEnd() {
        Start();
        driver->RunScript("tap space\nframes 1\ntap space\nframes 1");
        ASSERT_NE(nullptr, driver->FrontAs<PlayState>());
        driver->Hold(kKeyRight);
        EXPECT_TRUE(driver->RunUntil([&] { return driver->FrontAs<LevelOverState>(); }, 1500));
    }

    void ExpectRefused() {
        Start();
        driver->RunScript("tap space\nframes 1\ntap space\nframes 1");
        EXPECT_NE(nullptr, driver->FrontAs<StartScreenState>());
        driver = nullptr;
        Start();
        driver->RunScript("tap down\nframes 1\ntap space\nframes 1\ntype 123456\ntap return");
        EXPECT_NE(nullptr, driver->FrontAs<PasswordState>());
    }

    TempGameDir dir;
    std::unique_ptr<HeadlessDriver> driver;
};

TEST_F(OddLevelImageTest, PaletteImageIsALevel) {
    ASSERT_TRUE(WritePng(dir.File(kLevel), 16, 12, PngKind::Palette, BottomWalk(16, 12),
                         {0x000000, 0x00FF00, 0x0000FF}));
    UseLevel();
    ExpectPlayedToTheEnd();
}

TEST_F(OddLevelImageTest, HugeImageIsALevelByItsTopLeftCorner) {
    ASSERT_TRUE(
        WritePng(dir.File(kLevel), 2000, 2000, PngKind::Rgb, AsRgb(BottomWalk(2000, 2000))));
    UseLevel();
    ExpectPlayedToTheEnd();
}

TEST_F(OddLevelImageTest, GreyTinyOrNotAPictureIsNoLevel) {
    // Grey has no green for the start; white pixels are only turning marks.
    std::vector<uint32_t> grey(16 * 12, 0);
    grey[10 * 16] = 255;
    ASSERT_TRUE(WritePng(dir.File(kLevel), 16, 12, PngKind::Grey, grey));
    UseLevel();
    ExpectRefused();
    driver = nullptr;

    ASSERT_TRUE(WritePng(dir.File(kLevel), 1, 1, PngKind::Rgb, {0x00FF00}));
    ExpectRefused();
    driver = nullptr;

    dir.Write(kLevel, "gdat\\level01.png:418273\nnot a picture at all\n");
    ExpectRefused();
}

}  // namespace
