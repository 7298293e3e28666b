// levels.txt and high.txt as files, one table each; the screens that use
// them are judged by the recorded games in tests/replays.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/DataFile.h"
#include "progress/HighScores.h"
#include "progress/LevelList.h"
#include "progress/LevelOverState.h"
#include "progress/Settings.h"
#include "support/GameFolder.h"

namespace {

// Descriptors open in this process.
long OpenFiles() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

// Runs the test in a folder of its own (the files are read from the working
// directory), and leaves no file open.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, chdir(folder.Path().c_str()));
        openFiles = OpenFiles();
    }
    void TearDown() override {
        EXPECT_EQ(openFiles, OpenFiles()) << "descriptors left open";
        ASSERT_EQ(0, chdir("/"));
    }
    // Puts contents in the file name: null for none, "/" for a folder.
    void Put(const char* name, const char* contents) {
        rmdir(name);
        folder.Remove(name);
        if (contents && std::string(contents) == "/") {
            mkdir(name, 0755);
        } else if (contents) {
            folder.Write(name, contents);
        }
    }
    GameFolder folder{GameFolder::kEmpty};
    long openFiles = 0;
};

// "first", "password PW" or "after NAME", answered as the name found or,
// after NAME, the "password>next" pair; "none" or "no file" if not found.
std::string Ask(const std::string& question) {
    const std::string arg = question.substr(question.find(' ') + 1);
    std::string name = "?", password, next;
    const LevelLookup found = question == "first"  ? FirstLevel(name)
                              : question[0] == 'p' ? FindLevelByPassword(arg, name)
                                                   : FindLevelAfter(arg, password, next);
    const std::string kind = found == LevelLookup::Found      ? ""
                             : found == LevelLookup::NotFound ? "none"
                                                              : "no file";
    if (question[0] == 'a') {
        return password + ">" + next + (kind.empty() ? "" : " " + kind);
    }
    return kind.empty() ? name : kind;
}

TEST_F(FilesTest, LevelListLookups) {
    const char* const list =
        "a:111111\nb:12:34\nno colon\n :222222\nc:111111\n b :333333 \nd:444444\n\ne:555555\n";
    struct {
        const char* file;  // null: no levels.txt; "/": a folder of that name
        const char* question;
        const char* answer;
    } rows[] = {
        {list, "first", "a"},
        {"", "first", ""},
        {nullptr, "first", "no file"},
        {list, "password 111111", "a"},  // the earlier of two lines
        {list, "password 12:34", "b"},   // split at the first colon only
        {list, "password no colon", "no colon"},
        {list, "password 222222", " "},
        {list, "password 333333", "none"},  // " 333333 " is another password
        {list, "password 555555", "e"},     // found past an empty line
        {"/", "password 111111", "no file"},
        {list, "after c", "111111> b "},
        {list, "after d", "444444>"},  // an empty line ends the game
        {"a:1\r\nb:2\r\n", "after a", "1>b"},
        {"a:1\nb:2", "after b", "2>"},
        {list, "after x", "> none"},
        {"/", "after a", "> no file"},
    };
    for (const auto& r : rows) {
        Put("levels.txt", r.file);
        EXPECT_EQ(r.answer, Ask(r.question)) << r.question << " in " << (r.file ? r.file : "-");
    }
}

// Blanks are ' ' and '\t' to '\r'.
TEST(HighScoreLine, ValuesConvertLikeStrtolClampedTo32Bits) {
    for (auto [text, value] : {std::pair{"950", 950},
                               {" \t\r+42xyz", 42},
                               {"-7", -7},
                               {"", 0},
                               {"- 5", 0},
                               {"99999999999999999999999", INT_MAX},
                               {"2147483648", INT_MAX},
                               {"-2147483648", INT_MIN}}) {
        EXPECT_EQ(value, ScoreValue(text)) << text;
    }
    HighScoreLine line = SplitHighScoreLine("AB:C:12");
    EXPECT_EQ("AB", line.name);
    EXPECT_EQ("C:12", line.scoreText);
    EXPECT_EQ(0, line.value);
    EXPECT_EQ("12", SplitHighScoreLine("12").name);
    EXPECT_EQ(12, SplitHighScoreLine("12").value);
}

// The file before (null: none) and its lowest score, the line entered
// (its score after the colon) and the file after (null: not placed, left).
TEST_F(FilesTest, InsertionDropsTheLowestLineAndKeepsTheOrder) {
    const char* const ten = "A:10\nB:20\nC:30\nD:40\nE:50\nF:60\nG:70\nH:80\nI:90\nJ:100";
    // Only the first ten lines count, however long the rest.
    const std::string eleven =
        "A:1\nB:2\nC:3\nD:4\nE:5\nF:6\nG:7\nH:8\nI:9\nJ:10\n" + std::string(70000, 'K');
    struct {
        const char* before;
        int lowest;
        const char *line, *after;
    } rows[] = {
        // Above the ones it equals.
        {ten, 10, "EQ:50", "B:20\nC:30\nD:40\nE:50\nEQ:50\nF:60\nG:70\nH:80\nI:90\nJ:100"},
        {ten, 10, "TIE:10", "TIE:10\nB:20\nC:30\nD:40\nE:50\nF:60\nG:70\nH:80\nI:90\nJ:100"},
        {ten, 10, "LOW:5", nullptr},
        {nullptr, 0, "ONE:1", "\n\n\n\n\n\n\n\n\nONE:1"},
        {"\n\n\n\n\n\n\n\n\nONE:1", 0, "TWO:2", "\n\n\n\n\n\n\n\nONE:1\nTWO:2"},
        // A short file: an empty line gives way, no entry; the texts are kept.
        {"X: 7 pts\nY:9", 7, "Z:8", "\n\n\n\n\n\n\nX: 7 pts\nZ:8\nY:9"},
        // Unordered: before the first line that beats it.
        {"Q:5\r\nR:50\nS:1\n", 5, "N:20", "\n\n\n\n\n\nQ:5\nN:20\nR:50\nS:1"},
        // A CR of a line's own: before a CR LF, or at the very end.
        {"A:1\nB:2\r\r\nC:3\r", 1, "N:9", "\n\n\n\n\n\nA:1\nB:2\r\r\nC:3\r\r\nN:9"},
        {eleven.c_str(), 1, "Z:99", "B:2\nC:3\nD:4\nE:5\nF:6\nG:7\nH:8\nI:9\nJ:10\nZ:99"},
    };
    for (const auto& r : rows) {
        Put("high.txt", r.before);
        int lowest = -1;
        EXPECT_EQ(r.before != nullptr, LowestHighScore(lowest)) << r.line;
        EXPECT_EQ(r.lowest, lowest) << r.line;
        EXPECT_EQ(r.after ? HighScoreWrite::Written : HighScoreWrite::NotPlaced,
                  InsertHighScore(r.line, std::atoi(std::strchr(r.line, ':') + 1)))
            << r.line;
        EXPECT_EQ(r.after ? r.after : r.before, folder.Read("high.txt")) << r.line;
    }
    // An empty file that the entry does not change stays (the game removes
    // only an empty one it made itself).
    Put("high.txt", "");
    EXPECT_EQ(HighScoreWrite::NotPlaced, InsertHighScore("N:-5", -5));
    EXPECT_TRUE(std::filesystem::exists("high.txt"));
    // A lock held elsewhere (a game stuck in its write) is waited out for a
    // while, then the entry is not written.
    const int held = open("high.txt", O_RDONLY);
    ASSERT_EQ(0, flock(held, LOCK_EX));
    EXPECT_EQ(HighScoreWrite::NotWritten, InsertHighScore("N:999", 999));
    close(held);
}

// Only a regular file is opened; a pipe, a device or a folder never is.
TEST_F(FilesTest, OnlyRegularFilesAreOpened) {
    folder.Write("file", "x");
    ASSERT_EQ(0, mkfifo("pipe", 0644));
    ASSERT_EQ(0, symlink("/dev/zero", "zero"));
    ASSERT_EQ(0, mkdir("dir", 0755));
    for (const char* name : {"file", "pipe", "zero", "dir", "none"}) {
        const int fd = OpenRegularFile(name);
        EXPECT_EQ(std::string(name) == "file", fd >= 0) << name;
        if (fd >= 0) {
            close(fd);
        }
    }
}

// Started with standard input closed (as some launchers do), the game's
// files take descriptor 0, which is a file like any other.
TEST_F(FilesTest, FilesWorkOnDescriptorZero) {
    folder.Write("levels.txt", "a:111111\n");
    const int input = dup(0);
    ASSERT_EQ(0, close(0));
    std::string bytes;
    const bool read = ReadDataFile("levels.txt", 100, bytes);
    int lowest = -1;
    const bool found = LowestHighScore(lowest);
    const HighScoreWrite written = InsertHighScore("Z:9", 9);
    ASSERT_EQ(0, dup2(input, 0));
    close(input);
    EXPECT_TRUE(read);
    EXPECT_EQ("a:111111\n", bytes);
    EXPECT_FALSE(found);
    EXPECT_EQ(HighScoreWrite::Written, written);
    EXPECT_EQ("\n\n\n\n\n\n\n\n\nZ:9", folder.Read("high.txt"));
}

// settings.txt as the game reads it (full screen, muted), and as it writes
// it back: known lines in any order and spacing, the rest ignored.
TEST_F(FilesTest, SettingsKeepTheirDefaultsForAnythingOdd) {
    struct {
        const char* file;  // null: none
        bool fullScreen, muted;
    } rows[] = {
        {nullptr, true, false},
        {"sound:off\r\n  display :  window  ", false, true},
        {"display: full screen\nsound: on", true, false},
        {"display: Window\nsound: 0\nsound\ndisplay window", true, false},
        {"sound: off\nsound: on\ndisplay: window\ndisplay: nowhere", false, false},
    };
    for (const auto& r : rows) {
        Put("settings.txt", r.file);
        Settings loaded = LoadSettings();
        EXPECT_EQ(r.fullScreen, loaded.fullScreen) << (r.file ? r.file : "none");
        EXPECT_EQ(r.muted, loaded.muted) << (r.file ? r.file : "none");
        ASSERT_TRUE(SaveSettings(loaded));
        Settings again = LoadSettings();
        EXPECT_TRUE(again.fullScreen == loaded.fullScreen && again.muted == loaded.muted);
    }
    folder.Write("settings.txt", std::string(70000, 'x'));  // not a settings file: left alone
    EXPECT_FALSE(SaveSettings(Settings()));
    EXPECT_EQ(70000u, folder.Read("settings.txt").size());
}

TEST(Tally, TimeBonusFallsByOneEvery200MsToNothingAfterAMinute) {
    for (auto [elapsed, bonus] :
         {std::pair{0, 300}, {200, 299}, {201, 298}, {59999, 0}, {90000, 0}}) {
        EXPECT_EQ(bonus, LevelOverState::TimeBonus(elapsed)) << elapsed;
    }
}

}  // namespace
