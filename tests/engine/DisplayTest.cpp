#include <gtest/gtest.h>

#include <memory>

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/Sprite.h"
#include "support/HeadlessDriver.h"
#include "support/PngWriter.h"
#include "support/TempGameDir.h"

namespace {

const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const Uint32 kGreen = 0x00FF00;

class DisplayTest : public ::testing::Test {
protected:
    TempGameDir dir{false};
    HeadlessDriver driver{dir.Path()};

    void FillGreen() {
        SDL_Surface* screen = g_display->GetScreen();
        g_display->Fill(SDL_MapRGB(screen->format, 0, 255, 0));
    }

    std::unique_ptr<Sprite> Load(const std::string& name) {
        return std::unique_ptr<Sprite>(
            g_display->LoadSprite((dir.Path() + "/" + name).c_str(), 0xFF000000));
    }
};

TEST_F(DisplayTest, BlackIsTransparentNearBlackIsDrawnAlphaIsDropped) {
    ASSERT_TRUE(WritePng(dir.File("rgb.png"), 3, 1, PngKind::Rgb, {0x000000, 0x010101, 0xC80A0A}));
    ASSERT_TRUE(WritePng(dir.File("rgba.png"), 2, 1, PngKind::Rgba, {0xFF00000A, 0x00000000}));
    auto rgb = Load("rgb.png");
    auto rgba = Load("rgba.png");
    ASSERT_TRUE(rgb && rgba);
    EXPECT_EQ(rgb->GetWidth(), 3);
    EXPECT_EQ(rgb->GetHeight(), 1);
    FillGreen();
    g_display->Blit(rgb.get(), 10, 10);
    g_display->Blit(rgba.get(), 10, 20);
    EXPECT_EQ(driver.PixelAt(10, 10), kGreen);
    EXPECT_EQ(driver.PixelAt(11, 10), 0x010101u);
    EXPECT_EQ(driver.PixelAt(12, 10), 0xC80A0Au);
    // A nearly transparent red pixel is drawn fully opaque; black with zero
    // alpha is still the key.
    EXPECT_EQ(driver.PixelAt(10, 20), 0xFF0000u);
    EXPECT_EQ(driver.PixelAt(11, 20), kGreen);
}

TEST_F(DisplayTest, PaletteAndGreyImagesAlsoKeepBlackTransparent) {
    ASSERT_TRUE(
        WritePng(dir.File("pal.png"), 2, 1, PngKind::Palette, {1, 0}, {0x3040FF, 0x000000}));
    ASSERT_TRUE(WritePng(dir.File("grey.png"), 2, 1, PngKind::Grey, {0, 200}));
    auto palette = Load("pal.png");
    auto grey = Load("grey.png");
    ASSERT_TRUE(palette && grey);
    FillGreen();
    g_display->Blit(palette.get(), 0, 0);
    g_display->Blit(grey.get(), 0, 1);
    EXPECT_EQ(driver.PixelAt(0, 0), kGreen);
    EXPECT_EQ(driver.PixelAt(1, 0), 0x3040FFu);
    EXPECT_EQ(driver.PixelAt(0, 1), kGreen);
    EXPECT_EQ(driver.PixelAt(1, 1), 0xC8C8C8u);
}

TEST_F(DisplayTest, BlitsAreClippedAtEveryEdge) {
    std::vector<uint32_t> red(20 * 20, 0xFF0000);
    ASSERT_TRUE(WritePng(dir.File("red.png"), 20, 20, PngKind::Rgb, red));
    auto sprite = Load("red.png");
    ASSERT_TRUE(sprite);
    FillGreen();
    g_display->Blit(sprite.get(), -10, -15);
    g_display->Blit(sprite.get(), 630, 470);
    EXPECT_EQ(driver.CountColour(0xFF0000), 10 * 5 + 10 * 10);
    EXPECT_EQ(driver.PixelAt(9, 4), 0xFF0000u);
    EXPECT_EQ(driver.PixelAt(10, 4), kGreen);
    EXPECT_EQ(driver.PixelAt(639, 479), 0xFF0000u);
}

TEST_F(DisplayTest, MissingThingsDrawNothing) {
    EXPECT_EQ(Load("absent.png"), nullptr);
    EXPECT_EQ(g_display->LoadFont("absent.ttf", 32), nullptr);
    dir.Write("junk.png", "not an image");
    EXPECT_EQ(Load("junk.png"), nullptr);
    FillGreen();
    g_display->Blit(nullptr, 0, 0);
    g_display->DrawText(nullptr, 0, 0, kWhite, "text");
    std::unique_ptr<Font> font(g_display->LoadFont(kFontFile, 32));
    ASSERT_TRUE(font);
    g_display->DrawText(font.get(), 0, 0, kWhite, "");
    g_display->DrawText(font.get(), 0, 0, kWhite, nullptr);
    EXPECT_EQ(driver.CountColour(kGreen), 640 * 480);
}

TEST_F(DisplayTest, TextIsSolidAndFontsAreIndependent) {
    std::unique_ptr<Font> first(g_display->LoadFont(kFontFile, 32));
    std::unique_ptr<Font> second(g_display->LoadFont(kFontFile, 32));
    ASSERT_TRUE(first && second);
    FillGreen();
    g_display->DrawText(first.get(), 0, 0, kGrey, "Exit");
    int grey = driver.CountColour(0x808080, 0, 0, 200, 60);
    EXPECT_GT(grey, 50);
    // Solid rendering: every pixel is either the text colour or untouched.
    EXPECT_EQ(grey + driver.CountColour(kGreen, 0, 0, 200, 60), 200 * 60);
    first.reset();
    g_display->DrawText(second.get(), 0, 100, kWhite, "Exit");
    EXPECT_EQ(driver.CountColour(0xFFFFFF, 0, 100, 200, 60), grey);
}

}  // namespace
