// The level analysis on hand-worked levels, and the proof that its models
// agree with the game: on the real play screen zombies pace exactly their
// walks, and the player wins by walking the searched route.
#include "common/LevelAnalysis.h"
#include "common/LevelSolver.h"
#include "common/LevelText.h"
#include "engine/Keys.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"
#include "progress/LevelOverState.h"
#include "support/Driver.h"
#include "tools/ToolTest.h"

namespace {

LevelGrid Grid(const std::vector<std::string>& rows) {
    std::string text = "; a test level\npassword: 583920\n", error;
    for (const std::string& row : rows) {
        text += row + "\n";
    }
    LevelText level;
    EXPECT_TRUE(level.Parse(text, error)) << error;
    return level.Grid();
}

}  // namespace

TEST(LevelAnalysisTest, CountsTheZombiesOnTheBestRouteAndThoseHeCannotDodge) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        int routes, reaching, undodgeable, shortest;
    };
    const Case cases[] = {
        // 4 cells to the gap, 5 rows down, 10 to the exit; the zombie can be
        // behind him when he lands.
        {"plain", kPlain, 1, 1, 0, 19},
        {"lands at the pen's end", With(kPlain, {{10, "T...TZ.........T"}}), 1, 1, 1, 19},
        {"three ahead", With(kPlain, {{10, "....T.Z.Z.Z....T"}}), 1, 3, 3, 19},
        // From column 6: right, 4 + 5 + 5, meets the zombie at 12; left,
        // 4 + 5 + 13, meets that one and the one at 5 as well.
        {"two ways",
         With(kPlain, {{0, "......P........."}, {1, "...#######......"}, {10, "..T..Z...TT.Z..T"}}),
         2, 1, 1, 14},
        {"falls through a walk over air", With(kPlain, {{4, "...T.Z...T......"}}), 1, 2, 0, 19},
        {"walled in", With(kPlain, {{1, "################"}}), 0, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LevelGrid grid = Grid(c.rows);
        const LevelAnalysis analysis(grid);
        EXPECT_EQ(c.routes, analysis.Routes());
        EXPECT_EQ(c.routes > 0, LevelSolver(grid).IsWinnable());
        EXPECT_EQ(c.reaching, analysis.FewestReaching());
        EXPECT_EQ(c.undodgeable, analysis.FewestUndodgeable());
        EXPECT_EQ(c.shortest, analysis.ShortestRoute());
        EXPECT_EQ(c.routes > 0 && c.undodgeable <= 2, analysis.WinnableWithoutThrowing());
    }
    const LevelAnalysis air(Grid(With(kPlain, {{4, "...T.Z...T......"}})));
    EXPECT_EQ(std::vector<int>({4, 5, 6, 7, 8}), air.AirColumns(0));
    EXPECT_TRUE(air.AirColumns(1).empty());
}

TEST(LevelAnalysisTest, TheGameMovesZombiesAndThePlayerAsModelled) {
    // Zombies against the right side, in one-cell pens (against the left
    // side, too) and between marks, all clear of the way down: a ledge, a
    // drop to the first ground below, left to a gap, right to a gap, the exit.
    const std::vector<std::string> rows = {
        "P...............", "#####...........", ".......T....Z...", "................",
        "..........T.TZT.", "...#####........", "ZT...T.Z.T......", "................",
        "......T..Z...T..", "####............", "................", "################"};
    const LevelGrid grid = Grid(rows);
    GameFolder dir(GameFolder::kGenerated);
    WriteImage(dir, "only.png", rows);
    dir.Write("levels.txt", "gdat\\only.png:583920\n");
    Driver driver(dir.Path());
    for (const char* step : {"frames 2", "tap space", "frames 2", "tap space", "frames 2"}) {
        driver.Do(step);
    }
    PlayState* play = driver.FrontAs<PlayState>();
    ASSERT_NE(nullptr, play);
    // Standing still until the zombies have paced their walks a few times,
    // then, whenever he stands, he asks the search from his cell (under his
    // centre, or the one his feet still rest on) which way to walk.
    std::vector<std::pair<int, int>> paced(5, {99, -1});  // the columns each zombie reaches
    while (driver.FrameCount() < 10000u && driver.FrontAs<PlayState>()) {
        int i = 0, want = 0;
        for (const Zombie* zombie : play->GetZombies()) {
            const int column = (static_cast<int>(zombie->GetX()) + zombie->Width() / 2) / 40;
            paced[i] = {std::min(paced[i].first, column), std::max(paced[i].second, column)};
            ++i;
        }
        const Player* player = play->GetPlayer();
        const int x = static_cast<int>(player->GetX()), w = player->Width();
        const int row = (static_cast<int>(player->GetY()) + player->Height()) / 80;
        int column = grid.HasGround(row, (x + w / 2) / 40) ? (x + w / 2) / 40
                     : grid.HasGround(row, x / 40)         ? x / 40
                                                           : (x + w) / 40;
        if (driver.FrameCount() > 3000u && player->GetVy() == 0 && grid.HasGround(row, column)) {
            LevelGrid from = grid;
            from.SetObjectPixel(row, column, LevelGrid::kStartColour);
            const LevelSolver solver(from);
            ASSERT_TRUE(solver.IsWinnable());
            const int next = solver.Route().size() == 1 ? 16 : solver.Route()[1].column;
            want = next > column ? kKeyRight : next < column ? kKeyLeft : 0;
        }
        driver.Release(want == kKeyLeft ? kKeyRight : kKeyLeft);
        if (want) {
            driver.Hold(want);
        }
        driver.Frame();
    }
    const LevelAnalysis analysis(grid);
    std::vector<std::pair<int, int>> modelled;
    for (const LevelAnalysis::Walk& walk : analysis.Walks()) {
        modelled.push_back({walk.from, walk.to});
    }
    EXPECT_EQ(modelled, paced);
    EXPECT_NE(nullptr, driver.FrontAs<LevelOverState>());
}
