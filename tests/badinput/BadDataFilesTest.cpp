#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "badinput/Tour.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

// What a broken copy of one data file does to a tour of the game.
struct BrokenFile {
    const char* name;
    // The tour still goes the whole way (the file only adds looks or sound),
    // it stops on the start screen (the first level cannot be built), or it
    // cannot be played to the end but the program runs on.
    TourEnd whenMissing;
    TourEnd whenEmpty;
    TourEnd whenTruncated;
    TourEnd whenNoise;
};

void PrintTo(const BrokenFile& file, std::ostream* out) {
    *out << file.name;
}

const TourEnd kWhole = TourEnd::MainMenu;
const TourEnd kStart = TourEnd::StartScreen;
const TourEnd kRunsOn = TourEnd::Elsewhere;

class BadDataFileTest : public ::testing::TestWithParam<BrokenFile> {
protected:
    // Breaks the file one way, tours the game, and checks the outcome and
    // that high.txt either gained the tour's entry or, when no game could be
    // finished, is exactly as it was.
    void TourWith(const std::string& how, const std::string& contents, bool remove,
                  TourEnd expected) {
        SCOPED_TRACE(std::string(GetParam().name) + " " + how);
        TempGameDir dir;
        dir.Write("levels.txt", TourLevels());
        const std::string name = GetParam().name;
        if (remove) {
            RemoveDataFile(dir, name);
        } else {
            ReplaceDataFile(dir, name, contents);
        }
        const std::string scoresBefore = dir.Read("high.txt");
        TourResult result;
        {
            HeadlessDriver driver(dir.Path());
            ASSERT_TRUE(driver.Started());
            result = Tour(driver);
        }
        EXPECT_FALSE(result.ended);
        if (expected != kRunsOn) {
            EXPECT_EQ(expected, result.end) << "ended on " << result.front;
        }
        const std::string scores = dir.Read("high.txt");
        if (expected == kWhole) {
            EXPECT_TRUE(result.wonLevel);
            EXPECT_NE(std::string::npos, scores.find("ABC:")) << scores;
            if (name != "high.txt") {
                EXPECT_EQ(9, std::count(scores.begin(), scores.end(), '\n'));
            }
        } else {
            EXPECT_EQ(scoresBefore, scores);
        }
    }
};

TEST_P(BadDataFileTest, MissingEmptyTruncatedOrNoiseHasItsOutcome) {
    const BrokenFile& file = GetParam();
    const std::string original =
        std::string(file.name) == "levels.txt" ? TourLevels() : GeneratedFile(file.name);
    ASSERT_FALSE(original.empty());
    TourWith("missing", "", true, file.whenMissing);
    TourWith("empty", "", false, file.whenEmpty);
    TourWith("truncated", original.substr(0, original.size() / 2), false, file.whenTruncated);
    TourWith("noise", RandomBytes(original.size(), 17), false, file.whenNoise);
}

// The manifests: without the sprite list no level image is loaded (half of
// it still lists the first levels); without sounds the game is silent.
// levels.txt cut in half still holds its first line (the game then ends
// after it). Art and sound files only change what is seen and heard, except
// the first level's image, and the player's own frames: without one he has
// no size, cannot stand on the ground and the level cannot be finished.
INSTANTIATE_TEST_SUITE_P(
    EveryKind, BadDataFileTest,
    ::testing::Values(BrokenFile{"gdat\\sprites.txt", kStart, kStart, kStart, kStart},
                      BrokenFile{"sdat\\sounds.txt", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"levels.txt", kStart, kStart, kWhole, kStart},
                      BrokenFile{"high.txt", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\anglepoi.ttf", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\splash.png", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\background.png", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\gameback.png", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\ground_b.png", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\ball.png", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\tovik_walk_right1.png", kRunsOn, kRunsOn, kRunsOn, kRunsOn},
                      BrokenFile{"gdat\\zombie_walking_left1.png", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"gdat\\level01.png", kStart, kStart, kStart, kStart},
                      BrokenFile{"sdat\\music1.ogg", kWhole, kWhole, kWhole, kWhole},
                      BrokenFile{"sdat\\zombie_death1.ogg", kWhole, kWhole, kWhole, kWhole}),
    [](const ::testing::TestParamInfo<BrokenFile>& info) {
        std::string name = info.param.name;
        std::string id;
        for (char c : name.substr(name.find('\\') + 1)) {
            id += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return id;
    });

}  // namespace
