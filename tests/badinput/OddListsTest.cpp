#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "badinput/Tour.h"
#include "engine/Keys.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "progress/HighScoreEntryState.h"
#include "progress/HighScoreTableState.h"
#include "progress/HighScores.h"
#include "progress/LevelOverState.h"
#include "progress/PasswordState.h"
#include "screens/EndState.h"
#include "screens/MainMenuState.h"
#include "screens/StartScreenState.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

using namespace std::string_literals;

const std::string kFirst = "gdat\\level01.png";
const std::string kSecond = "gdat\\level05.png";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (true) {
        std::string::size_type end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 1;
    }
}

// levels.txt and high.txt in shapes no editor should produce, read by the
// real screens.
class OddListsTest : public ::testing::Test {
protected:
    void Start() {
        driver = std::make_unique<HeadlessDriver>(dir.Path());
        ASSERT_TRUE(driver->Started());
        driver->Frames(2);
        ASSERT_NE(nullptr, driver->FrontAs<MainMenuState>());
    }

    // New Game from the menu, Space on the start screen.
    void NewGame() { driver->RunScript("tap space\nframes 1\ntap space\nframes 1"); }

    // The password entry from the menu, six digits typed and confirmed.
    void Password(const std::string& digits) {
        driver->RunScript("tap down\nframes 1\ntap space\nframes 1\ntype " + digits +
                          "\ntap return\nframes 1");
    }

    bool WalkToTally() {
        driver->Hold(kKeyRight);
        bool won = driver->RunUntil([&] { return driver->FrontAs<LevelOverState>(); }, 1500);
        driver->Release(kKeyRight);
        return won;
    }

    std::string Playing() const {
        auto* play = driver->FrontAs<PlayState>();
        return play ? play->GetLevelName() : "";
    }

    // The name entry for this score, reached as the pause menu's "Exit to
    // Menu" reaches it; "ABC" typed and confirmed.
    void EnterScore(int score) {
        PopState();
        PushState(new HighScoreEntryState(score));
        driver->RunScript("frames 1\ntype abc\ntap return\nframes 1");
    }

    TempGameDir dir;
    std::unique_ptr<HeadlessDriver> driver;
};

TEST_F(OddListsTest, LevelListWithAHugeLineOrBinaryBytesOpensOnlyWhatItNames) {
    // A megabyte-long first line, a line of binary bytes with a NUL in its
    // name: neither is a level, so New Game stays on the start screen; the
    // passwords after them still open their levels.
    std::string binary = "\x01\xfe\0\xff\x7f:000000"s;
    dir.Write("levels.txt", std::string(1 << 20, 'x') + ":999999\n" + binary + "\n" + TourLevels());
    Start();
    NewGame();
    EXPECT_NE(nullptr, driver->FrontAs<StartScreenState>());

    driver = nullptr;
    Start();
    Password("000000");
    EXPECT_NE(nullptr, driver->FrontAs<PasswordState>()) << "a level that cannot be built";
    driver = nullptr;
    Start();
    Password("418273");
    EXPECT_EQ(kFirst, Playing());
}

TEST_F(OddListsTest, LevelListWithoutLineBreaksIsOneLevelWithALongPassword) {
    dir.Write("levels.txt", kFirst + ":418273" + kSecond + ":847302");
    Start();
    NewGame();
    ASSERT_EQ(kFirst, Playing());
    ASSERT_TRUE(WalkToTally());
    auto* tally = driver->FrontAs<LevelOverState>();
    EXPECT_EQ("418273" + kSecond + ":847302", tally->GetLevelPassword());
    EXPECT_EQ("", tally->GetNextLevel());
    driver->RunScript("frames 1\ntap space");
    EXPECT_NE(nullptr, driver->FrontAs<EndState>());
}

TEST_F(OddListsTest, LevelListWithCrlfOrManyLinesReadsAsPlainLines) {
    std::string list;
    for (int i = 0; i < 150; ++i) {
        list += "gdat\\nothing" + std::to_string(i) + ".png:" + std::to_string(100000 + i) + "\r\n";
    }
    dir.Write("levels.txt", list + kFirst + ":418273\r\n" + kSecond + ":847302\r\n");
    Start();
    Password("418273");
    ASSERT_EQ(kFirst, Playing());
    ASSERT_TRUE(WalkToTally());
    auto* tally = driver->FrontAs<LevelOverState>();
    EXPECT_EQ("418273", tally->GetLevelPassword());
    EXPECT_EQ(kSecond, tally->GetNextLevel());
    driver->RunScript("frames 1\ntap space");
    EXPECT_EQ(kSecond, Playing());
}

TEST_F(OddListsTest, HighScoreFilesOfEveryShapeShowAndTakeANewEntry) {
    struct Shape {
        const char* what;
        std::string contents;
        // The lines that must survive an entry of 900, in order, without
        // the new one.
        std::vector<std::string> kept;
    };
    const std::string tenth = "RIP:5000";
    std::vector<Shape> shapes = {
        {"long name",
         "Z:1\n" + std::string(100000, 'N') +
             ":2\nB:500\nC:600\nD:700\nE:800\n"
             "F:1000\nG:2000\nH:3000\n" +
             tenth,
         {std::string(100000, 'N') + ":2", "B:500", "C:600", "D:700", "E:800", "F:1000", "G:2000",
          "H:3000", tenth}},
        {"no line breaks", "ZED:250BOB:500IDA:750", {"", "", "", "", "", "", "", "", ""}},
        {"crlf",
         "A:1\r\nB:2\r\nC:3\r\nD:4\r\nE:5\r\nF:6\r\nG:7\r\nH:8\r\nI:9\r\nJ:10\r\n",
         {"B:2", "C:3", "D:4", "E:5", "F:6", "G:7", "H:8", "I:9", "J:10"}},
        {"binary",
         "\xff\xfe:\x01\x02\nA\0B:5\n\x80:6\n:7\n:8\n:9\n:10\n:11\n:12\n:13"s,
         {"A\0B:5"s, "\x80:6", ":7", ":8", ":9", ":10", ":11", ":12", ":13"}},
        {"fifteen lines",
         "A:1\nB:2\nC:3\nD:4\nE:5\nF:6\nG:7\nH:8\nI:9\nJ:10\nK:11\nL:12\n"
         "M:13\nN:14\nO:15",
         {"B:2", "C:3", "D:4", "E:5", "F:6", "G:7", "H:8", "I:9", "J:10"}},
        {"out of range",
         "A:-99999999999999\nB: -5\nC:+7abc\nD:0x50\nE:100\nF:200\nG:300\n"
         "H:99999999999999999999\nI:99999999999999999999\nJ:2147483648",
         {"B: -5", "C:+7abc", "D:0x50", "E:100", "F:200", "G:300", "H:99999999999999999999",
          "I:99999999999999999999", "J:2147483648"}},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.what);
        dir.Write("high.txt", shape.contents);
        Start();
        driver->RunScript("tap up\nframes 1\ntap up\nframes 1\ntap space\nframes 2");
        EXPECT_NE(nullptr, driver->FrontAs<HighScoreTableState>());
        EnterScore(900);
        EXPECT_NE(nullptr, driver->FrontAs<HighScoreTableState>());
        std::vector<std::string> lines = Lines(dir.Read("high.txt"));
        ASSERT_EQ(10u, lines.size());
        std::vector<std::string> others;
        for (const std::string& line : lines) {
            if (line != "ABC:900") {
                others.push_back(line);
            }
        }
        EXPECT_EQ(shape.kept, others);
        driver = nullptr;
    }
}

}  // namespace
