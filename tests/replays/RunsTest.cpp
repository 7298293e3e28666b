// The shipped winning runs (data/runs, made by tools/bot): each is the
// whole program from its start, through "Enter Password" and the level's
// six digits, to the level's tally. Replayed through the real game headless
// (each in a process of its own), each must reach the tally of its own
// level, with the score and at the frame its header says: a level or a rule
// that changed since the runs were made fails here until `make runs` makes
// them anew.

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/types.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/CommandLine.h"
#include "engine/Recording.h"
#include "progress/LevelChecksum.h"
#include "progress/LevelList.h"
#include "progress/RunReplay.h"
#include "support/GameFolder.h"

namespace {

const int kCampaign = 20;

std::vector<LevelEntry> Levels() {
    std::vector<LevelEntry> levels;
    std::ifstream file(GameDataDir() + "/levels.txt");
    for (std::string line; std::getline(file, line);) {
        levels.push_back(SplitLevelLine(line));
    }
    return levels;
}

class ShippedRun : public testing::TestWithParam<int> {};

TEST_P(ShippedRun, ReachesItsLevelsTally) {
    const int level = GetParam();
    const GameFolder folder(GameFolder::kGenerated);
    const std::string path = GameDataDir() + "/runs/" +
                             std::string(level < 10 ? "level0" : "level") + std::to_string(level) +
                             ".run";
    Recording run;
    std::string error;
    ASSERT_TRUE(run.Load(path, GameVersion(), LevelChecksum(folder.Path()), error))
        << path << " " << error << "; make runs makes the runs anew";
    ASSERT_TRUE(run.hasTally);
    EXPECT_EQ(Levels().at(level - 1).password, run.tallyPassword);
    const RunReplay replay = RunReplay::Play(folder.Path(), run);
    EXPECT_EQ("", replay.Mismatch(run)) << path << "; make runs makes the runs anew";
}

INSTANTIATE_TEST_SUITE_P(Campaign, ShippedRun, testing::Range(1, kCampaign + 1));

TEST(ShippedRuns, OneForEachLevel) {
    EXPECT_EQ(kCampaign, static_cast<int>(Levels().size()));
    int runs = 0;
    if (DIR* dir = opendir((GameDataDir() + "/runs").c_str())) {
        while (dirent* entry = readdir(dir)) {
            runs += std::string(entry->d_name).find(".run") != std::string::npos;
        }
        closedir(dir);
    }
    EXPECT_EQ(kCampaign, runs);
}

}  // namespace
