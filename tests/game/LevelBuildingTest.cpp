#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/Globals.h"
#include "engine/StateStack.h"
#include "game/PlayFixture.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"
#include "progress/HighScoreEntryState.h"

TEST_F(PlayFixture, LevelImagePlacesPlayerZombiesMarksAndGround) {
    std::vector<std::string> rows = EmptyLevel();
    rows[0] = "G..R....W.......";
    rows[1] = "........B.......";  // white above blue: both
    rows[4] = "..G.............";  // the last green wins
    rows[10] = "RR..............";
    rows[11] = "BBBBBBBBBBBBBBBB";
    AddLevel("gdat\\l.bmp", rows);
    PlayState* play = Play("gdat\\l.bmp");
    ASSERT_TRUE(play->IsLevelBuilt());

    // Centred in column 2, feet on row 2's ground level.
    EXPECT_EQ(2 * 40 + 10.0f, play->GetPlayer()->GetX());
    EXPECT_EQ(3 * 80 - kGroundH - kPlayerH + 0.0f, play->GetPlayer()->GetY());

    TileGrid& grid = play->GetGrid();
    EXPECT_TRUE(grid.IsTurnBack(0, 8));
    EXPECT_TRUE(grid.HasGround(0, 8));
    EXPECT_FALSE(grid.HasGround(0, 3));  // a zombie but no ground below it
    EXPECT_TRUE(grid.HasGround(5, 0) && grid.HasGround(5, 15));

    ASSERT_EQ(3u, play->GetZombies().size());
    Zombie* first = play->GetZombies().front();
    EXPECT_EQ(0, first->Row());
    EXPECT_EQ(3 * 40 + 10.0f, first->GetX());  // centred in its column
}

TEST_F(PlayFixture, RandIsDrawnInScanOrder) {
    std::vector<std::string> rows = EmptyLevel();
    rows[0] = "G....R..R.......";
    rows[1] = "BB..............";
    rows[2] = "R...............";
    rows[3] = ".B..............";
    AddLevel("gdat\\l.bmp", rows);
    Boot();

    std::srand(7);
    int draws[6];
    for (int& draw : draws) {
        draw = std::rand();
    }
    auto kind = [](int draw) { return draw % 4 + 1 == 1 ? 2 : draw % 4 + 1; };
    auto walksRight = [](int draw) { return draw % 2 == 0; };

    std::srand(7);
    PlayState* play = Play("gdat\\l.bmp");
    std::vector<Zombie*> zombies(play->GetZombies().begin(), play->GetZombies().end());
    ASSERT_EQ(3u, zombies.size());
    EXPECT_EQ(walksRight(draws[0]), !zombies[0]->IsWalkingLeft());
    EXPECT_EQ(walksRight(draws[1]), !zombies[1]->IsWalkingLeft());
    EXPECT_EQ(kind(draws[2]), play->GetGrid().GroundKind(0, 0));
    EXPECT_EQ(kind(draws[3]), play->GetGrid().GroundKind(0, 1));
    EXPECT_EQ(walksRight(draws[4]), !zombies[2]->IsWalkingLeft());
    EXPECT_EQ(kind(draws[5]), play->GetGrid().GroundKind(1, 1));
}

TEST_F(PlayFixture, GroundKindsComeTwoToOneToOne) {
    std::vector<std::string> rows = EmptyLevel();
    for (int row = 1; row < 12; row += 2) {
        rows[row] = std::string(16, 'B');
    }
    rows[0][0] = 'G';
    AddLevel("gdat\\l.bmp", rows);
    int counts[8] = {};
    for (int level = 0; level < 25; ++level) {
        PlayState* play = Play("gdat\\l.bmp");
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 16; ++column) {
                ++counts[play->GetGrid().GroundKind(row, column)];
            }
        }
    }
    const double total = 25 * 96;
    EXPECT_EQ(0, counts[0] + counts[1] + counts[5] + counts[6] + counts[7]);
    EXPECT_NEAR(0.5, counts[2] / total, 0.05);
    EXPECT_NEAR(0.25, counts[3] / total, 0.04);
    EXPECT_NEAR(0.25, counts[4] / total, 0.04);
}

TEST_F(PlayFixture, LevelsThatCannotBeBuiltAreNeverPlayed) {
    std::vector<std::string> good = EmptyLevel();
    good[6][5] = 'G';
    std::vector<std::string> noStart = EmptyLevel();
    noStart[7] = std::string(16, 'B');
    std::vector<std::string> narrow(12, std::string(15, '.'));
    narrow[0][0] = 'G';
    std::vector<std::string> shortImage(11, std::string(16, '.'));
    shortImage[0][0] = 'G';
    std::vector<std::string> startInGroundRow = EmptyLevel();
    startInGroundRow[1][0] = 'G';
    AddLevel("gdat\\good.bmp", good);
    AddLevel("gdat\\nostart.bmp", noStart);
    AddLevel("gdat\\narrow.bmp", narrow);
    AddLevel("gdat\\short.bmp", shortImage);
    AddLevel("gdat\\groundrow.bmp", startInGroundRow);
    Boot();

    EXPECT_TRUE(PlayState::CanBuildLevel("gdat\\good.bmp"));
    for (const char* name : {"gdat\\nostart.bmp", "gdat\\narrow.bmp", "gdat\\short.bmp",
                             "gdat\\groundrow.bmp", "gdat\\missing.bmp", ""}) {
        EXPECT_FALSE(PlayState::CanBuildLevel(name)) << name;
    }

    // Built anyway, it leaves on its first frame with the score for the table,
    // and leaves the music rotation alone.
    g_levelCounter = 2;
    Player* player = new Player();
    player->SetScore(450);
    PlayState* play = Play("gdat\\short.bmp", player);
    EXPECT_FALSE(play->IsLevelBuilt());
    EXPECT_TRUE(play->GetZombies().empty());
    EXPECT_EQ(2, g_levelCounter);
    driver->Frame();
    EXPECT_NE(nullptr, driver->FrontAs<HighScoreEntryState>());
    EXPECT_EQ(1u, g_states.Count());
}
