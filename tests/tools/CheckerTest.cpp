// The data checker run as a program on the generated game folder and on
// broken copies of it: every kind of fault must be reported on a line of its
// own and turn the exit status non-zero.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/PngWriter.h"
#include "support/TempGameDir.h"

namespace {

struct CheckResult {
    int status;
    std::string output;
};

CheckResult RunChecker(const std::string& dir) {
    const std::string command =
        std::string(QUONKLE_BINARY_DIR) + "/tools/quonkle-check '" + dir + "' 2>&1";
    CheckResult result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) {
        result.output += buffer;
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

// A level image from 12 rows of 16 characters: P start, Z zombie, T TurnBack,
// # ground, anything else black.
void WriteLevelPng(const TempGameDir& dir, const std::string& name,
                   const std::vector<std::string>& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    std::vector<uint32_t> pixels;
    for (const std::string& row : rows) {
        for (char ch : row) {
            pixels.push_back(ch == 'P'   ? 0x00FF00
                             : ch == 'Z' ? 0xFF0000
                             : ch == 'T' ? 0xFFFFFF
                             : ch == '#' ? 0x0000FF
                                         : 0);
        }
    }
    ASSERT_TRUE(WritePng(dir.File(name), width, height, PngKind::Rgb, pixels));
}

// The copy's level list replaced by one level drawn from rows.
void UseOnlyLevel(const TempGameDir& dir, const std::vector<std::string>& rows) {
    WriteLevelPng(dir, "gdat\\test.png", rows);
    dir.ListSprite("gdat\\test.png");
    dir.Write("levels.txt", "gdat\\test.png:314159\n");
}

// Replaces a linked data file by a real one, so the original stays intact.
void Replace(const TempGameDir& dir, const std::string& name, const std::string& contents) {
    dir.Remove(name);
    dir.Write(name, contents);
}

// sdat is one link to the generated folder; give the copy a folder of its own
// holding links to each listed sound.
void OwnSoundFolder(const TempGameDir& dir) {
    const std::string manifest = dir.Read("sdat\\sounds.txt");
    dir.Remove("sdat");
    mkdir(dir.File("sdat").c_str(), 0755);
    std::istringstream lines(manifest);
    for (std::string name; std::getline(lines, name) && !name.empty();) {
        const std::string from = GameDataDir() + "/sdat/" + name.substr(5);
        ASSERT_EQ(0, symlink(from.c_str(), dir.File(name).c_str())) << name;
    }
    dir.Write("sdat\\sounds.txt", manifest);
}

std::string RemoveLine(const std::string& text, const std::string& line) {
    const std::string needle = line + "\n";
    std::string out = text;
    const auto at = out.find(needle);
    if (at != std::string::npos) {
        out.erase(at, needle.size());
    }
    return out;
}

// Expects a failed check whose output has a line containing every fragment.
void ExpectProblem(const CheckResult& result, std::initializer_list<std::string> fragments) {
    EXPECT_EQ(1, result.status) << result.output;
    std::istringstream lines(result.output);
    bool found = false;
    for (std::string line; !found && std::getline(lines, line);) {
        found = true;
        for (const std::string& fragment : fragments) {
            found = found && line.find(fragment) != std::string::npos;
        }
    }
    EXPECT_TRUE(found) << "no line with the expected words in:\n" << result.output;
}

const std::vector<std::string> kOpenLevel = {
    ".P..............", "#######..#######", "................", "................",
    "................", "................", "................", "................",
    "................", "................", "......Z.........", "################"};

}  // namespace

TEST(DataCheckerTest, GeneratedDataPasses) {
    const CheckResult result = RunChecker(GameDataDir());
    EXPECT_EQ(0, result.status) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("no problems")) << result.output;
}

TEST(DataCheckerTest, AnOpenLevelOfOurOwnPasses) {
    TempGameDir dir;
    UseOnlyLevel(dir, kOpenLevel);
    const CheckResult result = RunChecker(dir.Path());
    EXPECT_EQ(0, result.status) << result.output;
}

TEST(DataCheckerTest, ReportsSpriteFaults) {
    TempGameDir dir;
    // A looked-up name missing from the manifest, a listed file that is not
    // an image, and a palette image.
    dir.Write("gdat\\sprites.txt", RemoveLine(dir.Read("gdat\\sprites.txt"), "gdat\\ball.png"));
    Replace(dir, "gdat\\heart.png", "not a picture");
    dir.Remove("gdat\\crosshair.png");
    ASSERT_TRUE(WritePng(dir.File("gdat\\crosshair.png"), 2, 2, PngKind::Palette, {0, 1, 1, 0},
                         {0x000000, 0xFFFF00}));
    const CheckResult result = RunChecker(dir.Path());
    ExpectProblem(result, {"gdat\\ball.png", "not listed"});
    ExpectProblem(result, {"gdat\\heart.png", "not a PNG"});
    ExpectProblem(result, {"gdat\\crosshair.png", "palette"});
}

TEST(DataCheckerTest, ReportsAMissingFont) {
    TempGameDir dir;
    dir.Remove("gdat\\anglepoi.ttf");
    ExpectProblem(RunChecker(dir.Path()), {"gdat\\anglepoi.ttf", "does not open"});
}

TEST(DataCheckerTest, ReportsLevelImagesTheGameCannotUse) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        std::string expected;
    };
    std::vector<std::string> twoStarts = kOpenLevel;
    twoStarts[2] = "..........P.....";
    std::vector<std::string> noStart = kOpenLevel;
    noStart[0] = "................";
    std::vector<std::string> walled = kOpenLevel;
    walled[1] = "################";  // no way down: the search itself is LevelSolverTest's
    std::vector<std::string> noExit = kOpenLevel;
    noExit[11] = "###############.";
    std::vector<std::string> small(kOpenLevel.begin(), kOpenLevel.end() - 1);
    const Case cases[] = {
        {"two starts", twoStarts, "2 player start"}, {"no start", noStart, "0 player start"},
        {"walled in", walled, "cannot be won"},      {"no exit ground", noExit, "rightmost cell"},
        {"too small", small, "at least 16 x 12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempGameDir dir;
        UseOnlyLevel(dir, c.rows);
        ExpectProblem(RunChecker(dir.Path()), {"gdat\\test.png", c.expected});
    }
}

TEST(DataCheckerTest, ReportsLevelListFaults) {
    TempGameDir dir;
    WriteLevelPng(dir, "gdat\\test.png", kOpenLevel);
    dir.ListSprite("gdat\\test.png");
    dir.Write("levels.txt",
              "gdat\\test.png:12345\n"  // five digits
              "gdat\\test.png:271828\n"
              "gdat\\test.png:271828\n"     // used twice
              "\n"                          // ends the game early
              "gdat\\nowhere.png:161803\n"  // no such image listed
              "gdat\\test.png\n");          // no colon
    const CheckResult result = RunChecker(dir.Path());
    ExpectProblem(result, {"levels.txt line 1", "not six digits"});
    ExpectProblem(result, {"levels.txt line 3", "already used on line 2"});
    ExpectProblem(result, {"levels.txt line 4", "empty"});
    ExpectProblem(result, {"levels.txt line 5", "gdat\\nowhere.png", "not listed"});
    ExpectProblem(result, {"levels.txt line 6", "no ':'"});
}

TEST(DataCheckerTest, ReportsHighScoreFaults) {
    TempGameDir dir;
    dir.Write("high.txt", "AAA:10\nBBB:30\nCCC:20\nDDD\nEEE:x\nFFF:40\nGGG:50\nHHH:60\nIII:70");
    const CheckResult result = RunChecker(dir.Path());
    ExpectProblem(result, {"high.txt", "9 lines"});
    ExpectProblem(result, {"high.txt line 3", "lower than the line before"});
    ExpectProblem(result, {"high.txt line 4", "no ':'"});
    ExpectProblem(result, {"high.txt line 5", "not a number"});

    dir.Remove("high.txt");
    ExpectProblem(RunChecker(dir.Path()), {"high.txt", "missing"});
}

TEST(DataCheckerTest, ReportsSoundFaults) {
    TempGameDir dir;
    OwnSoundFolder(dir);
    Replace(dir, "sdat\\bounce_2.ogg", "OggS but not really");
    dir.Write("sdat\\sounds.txt", RemoveLine(dir.Read("sdat\\sounds.txt"), "sdat\\music2.ogg"));
    const CheckResult result = RunChecker(dir.Path());
    ExpectProblem(result, {"sdat\\bounce_2.ogg", "not an Ogg Vorbis file"});
    ExpectProblem(result, {"sdat\\music2.ogg", "not listed"});
}
