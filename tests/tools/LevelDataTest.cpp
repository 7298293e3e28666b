// The level text format and the walk-and-fall search, and the proof that the
// search agrees with the game: every shipped level, its zombies taken out, is
// won on the real play screen by walking the route the search finds.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/LevelSolver.h"
#include "common/LevelText.h"
#include "engine/Keys.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/LevelOverState.h"
#include "support/HeadlessDriver.h"
#include "support/PngWriter.h"
#include "support/TempGameDir.h"
#include "tools/Picture.h"

namespace {

std::string Level(const std::string& password, const std::vector<std::string>& rows) {
    std::string text = "; a test level\ntitle: Test\npassword: " + password + "\n";
    for (const std::string& row : rows) {
        text += row + "\n";
    }
    return text;
}

const std::vector<std::string> kPlain = {
    ".P..............", "#####...........", "................", "................",
    "................", "................", "................", "................",
    "................", "................", "T....Z.........T", "################"};

LevelGrid GridOf(const std::vector<std::string>& rows) {
    LevelText text;
    std::string error;
    EXPECT_TRUE(text.Parse(Level("583920", rows), error)) << error;
    return text.Grid();
}

}  // namespace

TEST(LevelTextTest, ReadsHeadersAndPixels) {
    LevelText text;
    std::string error;
    ASSERT_TRUE(text.Parse(Level("583920", kPlain), error)) << error;
    EXPECT_EQ("583920", text.Password());
    EXPECT_EQ("Test", text.Title());
    EXPECT_EQ(LevelGrid::kStartColour, text.Pixel(1, 0));
    EXPECT_EQ(LevelGrid::kGroundColour, text.Pixel(0, 1));
    EXPECT_EQ(LevelGrid::kZombieColour, text.Pixel(5, 10));
    EXPECT_EQ(LevelGrid::kTurnBackColour, text.Pixel(15, 10));
    EXPECT_EQ(0u, text.Pixel(6, 1));
    const LevelGrid grid = text.Grid();
    ASSERT_EQ(1u, grid.Zombies().size());
    EXPECT_EQ(5, grid.Zombies()[0].row);
    EXPECT_TRUE(grid.IsTurnBack(5, 15));
    EXPECT_TRUE(grid.HasGround(5, 15));
    EXPECT_FALSE(grid.HasGround(6, 0));  // outside the grid
}

TEST(LevelTextTest, RejectsMalformedLevelsNamingTheFault) {
    struct Case {
        std::string text;
        std::string expected;
    };
    std::vector<std::string> groundInObjectRow = kPlain;
    groundInObjectRow[2] = "....#...........";
    std::vector<std::string> zombieInGroundRow = kPlain;
    zombieInGroundRow[3] = "....Z...........";
    std::vector<std::string> shortRow = kPlain;
    shortRow[4] = "...";
    std::vector<std::string> twoStarts = kPlain;
    twoStarts[4] = "P...............";
    const Case cases[] = {
        {Level("583920", groundInObjectRow), "line 6: '#' does not belong in an object row"},
        {Level("583920", zombieInGroundRow), "line 7: 'Z' does not belong in a ground row"},
        {Level("583920", shortRow), "line 8: a pixel row needs 16 characters, not 3"},
        {Level("583920", twoStarts), "exactly one player start P, has 2"},
        {Level("58392", kPlain), "password must be six digits"},
        {Level("583920", std::vector<std::string>(kPlain.begin(), kPlain.end() - 1)),
         "needs 12 pixel rows, has 11"},
        {"colour: red\n", "unknown header 'colour'"},
    };
    for (const Case& c : cases) {
        LevelText text;
        std::string error;
        EXPECT_FALSE(text.Parse(c.text, error)) << c.expected;
        EXPECT_NE(std::string::npos, error.find(c.expected)) << error;
    }
}

TEST(LevelSolverTest, FollowsWalkingAndFalling) {
    // Start on a ledge, walk right off it, fall to the bottom, walk to the exit.
    const LevelSolver plain(GridOf(kPlain));
    ASSERT_TRUE(plain.IsWinnable());
    EXPECT_EQ(0, plain.Route().front().row);
    EXPECT_EQ(5, plain.Route().back().row);
    EXPECT_EQ(15, plain.Route().back().column);
    // Falling lands on the first ground below, not further down.
    std::vector<std::string> shelf = kPlain;
    shelf[5] = ".....###........";
    const LevelSolver shelved(GridOf(shelf));
    ASSERT_TRUE(shelved.IsWinnable());
    ASSERT_GT(shelved.Route().size(), 4u);
    EXPECT_EQ(2, shelved.Route()[4].row);
    EXPECT_EQ(5, shelved.Route()[4].column);
    // A start above a gap falls at once; with nothing below, he is lost.
    std::vector<std::string> floating = kPlain;
    floating[0] = "................";
    floating[4] = "..........P.....";
    EXPECT_TRUE(LevelSolver(GridOf(floating)).CanStandOn(5, 10));
    floating[11] = "##########.#####";
    EXPECT_FALSE(LevelSolver(GridOf(floating)).IsWinnable());
    // Without ground in the exit cell the bottom row ends in a drop.
    std::vector<std::string> noExit = kPlain;
    noExit[11] = "###############.";
    EXPECT_FALSE(LevelSolver(GridOf(noExit)).IsWinnable());
    // Ground he cannot leave: the ledge reaches both walls.
    std::vector<std::string> walled = kPlain;
    walled[1] = "################";
    EXPECT_FALSE(LevelSolver(GridOf(walled)).IsWinnable());
}

namespace {

struct Standing {
    int row;
    int column;
};

// Where the player stands, if he stands: the cell under his feet that holds
// ground (his centre's, or the neighbour his feet still rest on).
bool StandingCell(PlayState* play, const LevelGrid& grid, Standing& cell) {
    const Player* player = play->GetPlayer();
    const int x = static_cast<int>(player->GetX());
    const int feet = static_cast<int>(player->GetY()) + player->Height();
    if (player->GetVy() != 0 || feet % 80 != 80 - play->GetGroundHeight()) {
        return false;
    }
    cell.row = feet / 80;
    cell.column = (x + player->Width() / 2) / 40;
    if (!grid.HasGround(cell.row, cell.column)) {
        cell.column = grid.HasGround(cell.row, x / 40) ? x / 40 : (x + player->Width()) / 40;
    }
    return grid.HasGround(cell.row, cell.column);
}

// Plays the level in dir (already the only one in its levels.txt): New Game,
// then walk the searched route from wherever he stands until the level is won.
// Returns the frames it took, or -1.
int WalkTheRoute(const TempGameDir& dir, const LevelGrid& grid) {
    HeadlessDriver driver(dir.Path());
    driver.RunScript("frames 2\ntap space\nframes 2\ntap space\nframes 2");
    int held = 0;
    while (driver.FrameCount() < 30000u) {
        if (driver.FrontAs<LevelOverState>()) {
            return static_cast<int>(driver.FrameCount());
        }
        PlayState* play = driver.FrontAs<PlayState>();
        if (!play) {
            return -1;
        }
        Standing here;
        int want = 0;
        if (StandingCell(play, grid, here)) {
            LevelGrid from = grid;
            from.SetObjectPixel(here.row, here.column, LevelGrid::kStartColour);
            const LevelSolver solver(from);
            if (!solver.IsWinnable()) {
                return -1;
            }
            // At the exit cell: on to the screen's edge.
            const int next = solver.Route().size() == 1 ? 16 : solver.Route()[1].column;
            want = next > here.column ? kKeyRight : next < here.column ? kKeyLeft : 0;
        }
        // Falling: let go, so that he drops straight down his column.
        if (want != held) {
            if (held) {
                driver.Release(held);
            }
            if (want) {
                driver.Hold(want);
            }
            held = want;
        }
        driver.Frame();
    }
    return -1;
}

}  // namespace

TEST(LevelRouteTest, EveryShippedLevelIsWonByWalkingAndFalling) {
    std::ifstream list(GameDataDir() + "/levels.txt");
    std::string line;
    int levels = 0;
    while (std::getline(list, line)) {
        if (line.empty()) {
            continue;
        }
        ++levels;
        const std::string name = line.substr(0, line.find(':'));
        SCOPED_TRACE(name);
        std::vector<uint32_t> pixels =
            LoadPicture(GameDataDir() + "/gdat/" + name.substr(5)).pixels;
        ASSERT_EQ(16u * 12u, pixels.size());
        const LevelGrid grid =
            LevelGrid::FromPixels([&pixels](int x, int y) { return pixels[y * 16 + x]; });
        // The same level without its zombies: the route is the question here.
        for (uint32_t& pixel : pixels) {
            if (pixel == LevelGrid::kZombieColour) {
                pixel = 0;
            }
        }
        TempGameDir dir;
        ASSERT_TRUE(WritePng(dir.File("gdat\\route.png"), 16, 12, PngKind::Rgb, pixels));
        dir.ListSprite("gdat\\route.png");
        dir.Write("levels.txt", "gdat\\route.png:583920\n");
        EXPECT_GT(WalkTheRoute(dir, grid), 0);
    }
    EXPECT_GE(levels, 12);
}
