#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "engine/Globals.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "support/HeadlessDriver.h"
#include "support/PngWriter.h"
#include "support/TempGameDir.h"

namespace {

std::vector<std::string> LinesOf(const TempGameDir& dir, const std::string& contents) {
    dir.Write("list.txt", contents);
    std::vector<std::string> lines;
    ReadManifest(dir.File("list.txt"), [&](const std::string& line) { lines.push_back(line); });
    return lines;
}

TEST(Manifest, LinesAreReadAsWrittenWithLineEndingsStripped) {
    TempGameDir dir(false);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(LinesOf(dir, "a\nb\n"), Lines({"a", "b", ""}));
    EXPECT_EQ(LinesOf(dir, "a\nb"), Lines({"a", "b"}));
    EXPECT_EQ(LinesOf(dir, "a\r\n\r\nb\r\n"), Lines({"a", "", "b", ""}));
    EXPECT_EQ(LinesOf(dir, ""), Lines({""}));
    EXPECT_EQ(LinesOf(dir, " gdat\\x.png \n"), Lines({" gdat\\x.png ", ""}));
    std::vector<std::string> none;
    ReadManifest(dir.File("missing.txt"), [&](const std::string& line) { none.push_back(line); });
    EXPECT_TRUE(none.empty());
}

class ResourceManagerTest : public ::testing::Test {
protected:
    TempGameDir dir{false};
    HeadlessDriver driver{dir.Path()};

    void SetUp() override {
        mkdir(dir.File("gdat").c_str(), 0755);
        ASSERT_TRUE(WritePng(dir.File("gdat\\one.png"), 1, 1, PngKind::Rgb, {0xFFFFFF}));
        ASSERT_TRUE(WritePng(dir.File("gdat\\two.png"), 2, 1, PngKind::Rgb, {1, 1}));
    }
};

TEST_F(ResourceManagerTest, NamesAreExactManifestLinesAndTheLaterOfTwoWins) {
    dir.Write("gdat\\sprites.txt",
              "gdat\\one.png\r\n\ngdat\\nothing.png\ngdat\\two.png\ngdat\\one.png");
    ResourceManager resources("gdat\\sprites.txt", "sdat\\sounds.txt");
    resources.LoadSprites();
    resources.LoadSounds();
    EXPECT_EQ(resources.SpriteCount(), 2u);
    EXPECT_EQ(resources.SoundCount(), 0u);
    ASSERT_NE(resources.GetSprite("gdat\\one.png"), nullptr);
    EXPECT_EQ(resources.GetSprite("gdat\\one.png")->GetWidth(), 1);
    EXPECT_EQ(resources.GetSprite("gdat\\two.png")->GetWidth(), 2);
    EXPECT_EQ(resources.GetSprite("gdat/one.png"), nullptr);
    EXPECT_EQ(resources.GetSprite("GDAT\\one.png"), nullptr);
    EXPECT_EQ(resources.GetSprite("gdat\\nothing.png"), nullptr);
    EXPECT_EQ(resources.GetSprite(""), nullptr);
    EXPECT_EQ(resources.SpriteCount(), 2u);

    ResourceManager none("gdat\\none.txt", "sdat\\none.txt");
    none.LoadSprites();
    none.LoadSounds();
    EXPECT_EQ(none.SpriteCount(), 0u);
    EXPECT_EQ(none.GetSound("sdat\\music1.ogg"), nullptr);
}

}  // namespace
