// The level analysis and the winnability search on hand-worked levels.
#include "common/LevelAnalysis.h"
#include "common/LevelSolver.h"
#include "common/LevelText.h"
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
