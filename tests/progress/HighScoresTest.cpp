#include "progress/HighScores.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "progress/WorkingDirTest.h"

namespace {

// Ten lines, lowest first, no line break after the last.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += (text.empty() ? "" : "\n") + std::string(line);
    }
    return text;
}

const std::string kStandard = Lines({"AAA:100", "BBB:200", "CCC:300", "DDD:400", "EEE:500",
                                     "FFF:600", "GGG:700", "HHH:800", "III:900", "JJJ:1000"});

class HighScoreFileTest : public WorkingDirTest {
protected:
    // Names in the working directory other than high.txt (left-over
    // temporary files).
    int StrayFiles() const {
        int count = 0;
        DIR* listing = opendir(dir.Path().c_str());
        while (dirent* entry = readdir(listing)) {
            std::string name = entry->d_name;
            if (name != "." && name != ".." && name != "high.txt") {
                ++count;
            }
        }
        closedir(listing);
        return count;
    }
};

}  // namespace

TEST(ScoreValueTest, ConvertsLikeTheStoredTextsNeed) {
    EXPECT_EQ(950, ScoreValue("950"));
    EXPECT_EQ(42, ScoreValue("  \t42"));
    EXPECT_EQ(12, ScoreValue("12abc"));
    EXPECT_EQ(-7, ScoreValue("-7"));
    EXPECT_EQ(7, ScoreValue("+7"));
    EXPECT_EQ(0, ScoreValue(""));
    EXPECT_EQ(0, ScoreValue("abc"));
    EXPECT_EQ(0, ScoreValue("- 5"));
    EXPECT_EQ(INT_MAX, ScoreValue("2147483647"));
    EXPECT_EQ(INT_MAX, ScoreValue("2147483648"));
    EXPECT_EQ(INT_MAX, ScoreValue("99999999999999999999999999"));
    EXPECT_EQ(INT_MIN, ScoreValue("-2147483648"));
    EXPECT_EQ(INT_MIN, ScoreValue("-99999999999999999999999999"));
}

TEST_F(HighScoreFileTest, LowestScoreComesFromTheFirstLine) {
    int lowest = -1;
    EXPECT_FALSE(LowestHighScore(lowest));
    EXPECT_EQ(0, lowest);
    dir.Write("high.txt", " 15xyz\r\nB:3");
    EXPECT_TRUE(LowestHighScore(lowest));
    EXPECT_EQ(15, lowest);
}

TEST_F(HighScoreFileTest, InsertKeepsTheFileAscending) {
    dir.Write("high.txt", kStandard);
    // One point above the lowest displaces it.
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("NEW:101", 101));
    EXPECT_EQ(Lines({"NEW:101", "BBB:200", "CCC:300", "DDD:400", "EEE:500", "FFF:600", "GGG:700",
                     "HHH:800", "III:900", "JJJ:1000"}),
              dir.Read("high.txt"));
    // Above every stored score: the last line.
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("TOP:5000", 5000));
    EXPECT_EQ(Lines({"BBB:200", "CCC:300", "DDD:400", "EEE:500", "FFF:600", "GGG:700", "HHH:800",
                     "III:900", "JJJ:1000", "TOP:5000"}),
              dir.Read("high.txt"));
    EXPECT_EQ(0, StrayFiles());
}

TEST_F(HighScoreFileTest, EqualScoresGoAboveTheStoredOnes) {
    dir.Write("high.txt",
              Lines({"A:1", "B:5", "C:5", "D:5", "E:8", "F:9", "G:9", "H:10", "I:10", "J:10"}));
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("NEW:5", 5));
    EXPECT_EQ(Lines({"B:5", "C:5", "D:5", "NEW:5", "E:8", "F:9", "G:9", "H:10", "I:10", "J:10"}),
              dir.Read("high.txt"));
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("TOP:10", 10));
    EXPECT_EQ(Lines({"C:5", "D:5", "NEW:5", "E:8", "F:9", "G:9", "H:10", "I:10", "J:10", "TOP:10"}),
              dir.Read("high.txt"));
}

TEST_F(HighScoreFileTest, MissingFileFillsFromTheBottomUp) {
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("AAA:50", 50));
    EXPECT_EQ("\n\n\n\n\n\n\n\n\nAAA:50", dir.Read("high.txt"));
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("BBB:80", 80));
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("CCC:60", 60));
    EXPECT_EQ("\n\n\n\n\n\n\nAAA:50\nCCC:60\nBBB:80", dir.Read("high.txt"));
}

TEST_F(HighScoreFileTest, StoredTextIsKeptByteForByte) {
    // Odd score texts, CRLF endings and lines past the tenth: the lines are
    // rewritten as read (without the CRs), the extra ones dropped.
    dir.Write("high.txt", "low\r\nA: 2x\r\nB:3\r\nC:4\nD:5\nE:6\nF:7\nG:8\nH:9\nI:10\nEXTRA:11\n");
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("NEW:4", 4));
    EXPECT_EQ(Lines({"A: 2x", "B:3", "C:4", "NEW:4", "D:5", "E:6", "F:7", "G:8", "H:9", "I:10"}),
              dir.Read("high.txt"));
}

TEST_F(HighScoreFileTest, ScoreBelowTheFirstLineLeavesTheFile) {
    // The file changed after the score was checked: nothing fits below slot 0.
    dir.Write("high.txt", kStandard);
    EXPECT_EQ(HighScoreWrite::NotPlaced, InsertHighScore("LOW:99", 99));
    EXPECT_EQ(kStandard, dir.Read("high.txt"));
}

TEST_F(HighScoreFileTest, UnorderedFileLosesOnlyTheFirstLine) {
    dir.Write("high.txt",
              Lines({"A:1", "B:50", "C:2", "D:3", "E:60", "F:4", "G:5", "H:6", "I:7", "J:8"}));
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("NEW:10", 10));
    EXPECT_EQ(Lines({"NEW:10", "B:50", "C:2", "D:3", "E:60", "F:4", "G:5", "H:6", "I:7", "J:8"}),
              dir.Read("high.txt"));
}

TEST_F(HighScoreFileTest, FailedWritesKeepTheOldScores) {
    // A directory in the file's place cannot be read or replaced.
    ASSERT_EQ(0, mkdir("high.txt", 0755));
    dir.Write("high.txt/keep", "x");
    EXPECT_EQ(HighScoreWrite::NotWritten, InsertHighScore("NEW:10", 10));
    EXPECT_EQ("x", dir.Read("high.txt/keep"));
    EXPECT_EQ(0, StrayFiles());
    ASSERT_EQ(0, unlink("high.txt/keep"));
    ASSERT_EQ(0, rmdir("high.txt"));

    // A full disk: the write stops at the file size limit.
    dir.Write("high.txt", kStandard);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit = {20, 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(InsertHighScore("NEW:150", 150) == HighScoreWrite::NotWritten ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(kStandard, dir.Read("high.txt"));
    EXPECT_EQ(0, StrayFiles());

    // The working directory was removed under the game.
    std::string gone = dir.Path() + "/gone";
    ASSERT_EQ(0, mkdir(gone.c_str(), 0755));
    ASSERT_EQ(0, chdir(gone.c_str()));
    ASSERT_EQ(0, rmdir(gone.c_str()));
    EXPECT_EQ(HighScoreWrite::NotWritten, InsertHighScore("NEW:10", 10));
}

TEST_F(HighScoreFileTest, RewriteKeepsModeAndLink) {
    // A packaged game may keep its scores elsewhere behind a link.
    std::string shared = dir.Path() + "/shared";
    ASSERT_EQ(0, mkdir(shared.c_str(), 0755));
    dir.Write("shared/scores", kStandard);
    ASSERT_EQ(0, chmod("shared/scores", 0640));
    ASSERT_EQ(0, symlink("shared/scores", "high.txt"));
    EXPECT_EQ(HighScoreWrite::Written, InsertHighScore("NEW:150", 150));
    struct stat info;
    ASSERT_EQ(0, lstat("high.txt", &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(0, stat("shared/scores", &info));
    EXPECT_EQ(0640u, info.st_mode & 07777);
    EXPECT_EQ(0u, dir.Read("shared/scores").find("NEW:150\nBBB:200"));
}
