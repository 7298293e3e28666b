// Broken and odd data files, one at a time, in a copy of the generated
// game: the program never crashes, and a tour of the game as a player would
// make it ends where the table says. A tour that cannot finish a game
// leaves high.txt exactly as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "support/Driver.h"
#include "support/GameFolder.h"

namespace {

using namespace std::string_literals;

enum End { kWhole, kStart, kRunsOn };

const std::vector<std::string> kWalk = {"................", "................", "................",
                                        "................", "................", "................",
                                        "................", "................", "................",
                                        "................", "G...............", "BBBBBBBBBBBBBBBB"};
const std::string kLevels = "gdat\\tour1.bmp:111111\ngdat\\tour2.bmp:222222\n";

// Each step only when its screen is in front: the table and back, New Game,
// the first level walked to its end while throwing now and then, the tally,
// the second walked into its three zombies, the name "ABC", the table.
End Tour(Driver& d) {
    for (const char* step : {"frames 1", "tap down", "frames 1", "tap down", "frames 1",
                             "tap space", "frames 1", "tap space", "frames 1", "tap space"}) {
        d.Do(step);
    }
    const std::pair<std::string, std::string> steps[] = {
        {"StartScreenState", "tap space"},   {"PlayState", "walk throwing"},
        {"LevelOverState", "tap space"},     {"PlayState", "walk"},
        {"GameOverState", "tap space"},      {"EndState", "tap space"},
        {"HighScoreEntryState", "type abc"}, {"HighScoreEntryState", "tap return"},
        {"HighScoreTableState", "tap space"}};
    for (const auto& [screen, step] : steps) {
        if (d.ScreenName() != screen) {
            continue;
        } else if (screen != "PlayState") {
            d.Do("frames 1"), d.Do(step);
            continue;
        }
        d.Hold(Driver::KeyCode("right"));
        int frame = 0;
        d.RunUntil(
            [&, throwing = step == "walk throwing"] {
                if (throwing && ++frame % 40 == 0) {
                    d.SetMouse(320, frame % 80 ? 400 : 100);
                    d.Click(frame % 120 ? 1 : 3);
                }
                return d.ScreenName() != "PlayState";
            },
            1500);
        d.Release(Driver::KeyCode("right"));
    }
    return d.ScreenName() == "MainMenuState"      ? kWhole
           : d.ScreenName() == "StartScreenState" ? kStart
                                                  : kRunsOn;
}

std::string Noise(std::size_t length) {
    std::mt19937 generator(17);
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(generator());
    }
    return bytes;
}

// Lines ended as an editor on another system saves them.
std::string Dos(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return out;
}

struct Row {
    std::string variant;  // missing, empty, half, noise, twice, dos, pipe, zero, "image", "=..."
    End end;
};
struct Case {
    const char* file;
    std::vector<Row> rows;
};
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.file;
}

class BadInputTest : public ::testing::TestWithParam<Case> {};

TEST_P(BadInputTest, ToursEndWhereTheTableSays) {
    const std::string file = GetParam().file;
    for (const Row& row : GetParam().rows) {
        SCOPED_TRACE(file + " " + row.variant.substr(0, 40));
        GameFolder folder(GameFolder::kGenerated);
        folder.AddLevel("gdat\\tour1.bmp", kWalk);
        std::vector<std::string> zombies = kWalk;
        zombies[10] = "G...R....R....R.";
        folder.AddLevel("gdat\\tour2.bmp", zombies);
        folder.Write("levels.txt", kLevels);
        const std::string original = folder.Read(file), variant = row.variant;
        int w, h, bits, start;
        if (variant == "missing" || variant == "pipe" || variant == "zero") {
            folder.Remove(file);
            const std::string path = folder.File(file);
            ASSERT_EQ(0, variant == "pipe"   ? mkfifo(path.c_str(), 0644)
                         : variant == "zero" ? symlink("/dev/zero", path.c_str())
                                             : 0);
        } else if (std::sscanf(variant.c_str(), "image %d %d %d %d", &w, &h, &bits, &start) == 4) {
            // The bottom row of ground, the start above it in the column
            // given; palette 0 black, 1 green, 2 blue.
            const std::vector<unsigned> palette = {0x000000, 0x00FF00, 0x0000FF};
            auto walk = [&](int x, int y) {
                unsigned index = y == 10 && x == start ? 1 : y == 11 && x < 16 ? 2 : 0;
                return bits == 8 ? index : palette[index];
            };
            folder.WriteImage(file, w, h, walk, bits, palette);
        } else {
            folder.Write(file, variant == "empty"   ? ""
                               : variant == "half"  ? original.substr(0, original.size() / 2)
                               : variant == "noise" ? Noise(original.size())
                               : variant == "twice" ? original + "\n" + original
                               : variant == "dos"   ? Dos(original)
                                                    : variant.substr(1));
        }
        const std::string scores = folder.Read("high.txt");
        End end;
        {
            Driver driver(folder.Path());
            ASSERT_TRUE(driver.Started());
            end = Tour(driver);
            EXPECT_FALSE(driver.Ended());
        }
        EXPECT_EQ(row.end, end);
        if (end == kWhole) {
            EXPECT_NE(std::string::npos, folder.Read("high.txt").find("ABC:")) << scores;
        } else {
            EXPECT_EQ(scores, folder.Read("high.txt"));
        }
    }
}

const std::vector<Row> kHarmless = {
    {"missing", kWhole}, {"empty", kWhole}, {"half", kWhole}, {"noise", kWhole}};
// Not a file at all (a named pipe, a link to /dev/zero): never read.
const std::vector<Row> kNoFile = {{"pipe", kWhole}};

// Without the sprite list no level image is loaded (a list given twice loads
// each file twice and keeps the later); without sounds, fonts
// or pictures the game is silent or shows less. The player's own frames
// give him his size: without one he cannot stand, and cannot finish.
INSTANTIATE_TEST_SUITE_P(
    EveryKind, BadInputTest,
    ::testing::Values(
        Case{"gdat\\sprites.txt",
             {{"missing", kStart},
              {"empty", kStart},
              {"half", kStart},
              {"noise", kStart},
              {"twice", kWhole},
              {"dos", kWhole}}},
        Case{"gdat\\sprites.txt", {{"pipe", kStart}, {"zero", kStart}}},
        Case{"sdat\\sounds.txt", {{"missing", kWhole}, {"noise", kWhole}, {"twice", kWhole}}},
        Case{"sdat\\sounds.txt", kNoFile}, Case{"levels.txt", {{"pipe", kStart}, {"zero", kStart}}},
        Case{"gdat\\anglepoi.ttf", kHarmless}, Case{"gdat\\anglepoi.ttf", kNoFile},
        Case{"gdat\\splash.png", kHarmless}, Case{"gdat\\splash.png", kNoFile},
        Case{"gdat\\icon.png", kNoFile}, Case{"gdat\\background.png", kHarmless},
        Case{"gdat\\gameback.png", kHarmless}, Case{"gdat\\ground_b.png", kHarmless},
        Case{"gdat\\ball.png", kHarmless}, Case{"gdat\\ball.png", kNoFile},
        Case{"gdat\\zombie_walking_left1.png", kHarmless}, Case{"sdat\\music1.ogg", kHarmless},
        Case{"sdat\\music1.ogg", kNoFile}, Case{"sdat\\zombie_death1.ogg", kHarmless},
        Case{"gdat\\tovik_walk_right1.png",
             {{"missing", kRunsOn}, {"empty", kRunsOn}, {"noise", kRunsOn}}},
        // Level images as an editor might save them: "image W H BITS
        // COLUMN", the start in that column (beyond the grid's 16 in the
        // wide one).
        Case{"gdat\\tour1.bmp",
             {{"missing", kStart},
              {"half", kStart},
              {"noise", kStart},
              {"image 16 12 8 0", kWhole},
              {"image 2000 2000 24 0", kWhole},
              {"image 20 12 24 16", kStart},
              {"image 1 1 24 0", kStart}}},
        Case{"levels.txt",
             {{"missing", kStart},
              {"empty", kStart},
              {"noise", kStart},
              {"=gdat\\tour1.bmp:111111\r\ngdat\\tour2.bmp:222222\r\n", kWhole},
              {"=gdat\\tour1.bmp:111111gdat\\tour2.bmp:222222", kWhole},
              {"=\x01\xfe\xff:0\ngdat\\tour1.bmp:111111\n", kStart}}},
        // Every shape of score file shows and takes the new entry.
        Case{"high.txt",
             {{"missing", kWhole},
              {"empty", kWhole},
              {"noise", kWhole},
              {"=ZED:250BOB:500IDA:750", kWhole},
              {"=A:1\r\nB:2\r\nC:3\r\nD:4\r\nE:5\r\nF:6\r\nG:7\r\nH:8\r\nI:9\r\nJ:10\r\n", kWhole},
              {"=\xff\xfe:\x01\x02\nA\0B:5\n\x80:6\n:7\n:8\n:9\n:10\n:11\n:12\n:13"s, kWhole},
              {"=A:-99999999999999\nB: -5\nC:+7abc\nD:0x50\nJ:2147483648\nK:1\nL:2\nM:3", kWhole}}},
        Case{"levels.txt", {{"=" + std::string(1 << 20, 'x') + ":9\n" + kLevels, kStart}}}));

}  // namespace
