#include <gtest/gtest.h>

#include "engine/Keys.h"
#include "game/Animation.h"
#include "game/Ball.h"
#include "game/PlayFixture.h"
#include "game/PlayState.h"
#include "game/Player.h"

namespace {

// The player starts in column `column` of row `row`; `ground` lists the
// image's ground rows.
std::vector<std::string> Level(int column, int row, const std::vector<std::string>& groundRows) {
    std::vector<std::string> rows = EmptyLevel();
    rows[2 * row][column] = 'G';
    for (size_t i = 0; i < groundRows.size(); ++i) {
        rows[2 * i + 1] = groundRows[i];
    }
    return rows;
}

const std::string kFull(16, 'B');
const std::string kNone(16, '.');

}  // namespace

TEST_F(PlayFixture, StatsCopyCarriesOnlyTheNumbersToTheNextLevel) {
    AddLevel("gdat\\l.bmp", Level(3, 4, {kNone, kNone, kNone, kNone, kFull}));
    Player* live = Play("gdat\\l.bmp")->GetPlayer();
    live->SetHealth(1);
    live->SetBalls(4);
    live->AddKillScore();
    Player* copy = StatsCopy(*live);
    EXPECT_EQ(nullptr, copy->GetAnimation());
    EXPECT_EQ(0, copy->Width());
    EXPECT_EQ(25, copy->GetScore());
    EXPECT_EQ(1, copy->GetHealth());
    EXPECT_EQ(4, copy->GetBalls());
    EXPECT_EQ(live->GetLevelStartTicks(), copy->GetLevelStartTicks());

    Player* next = Play("gdat\\l.bmp", copy)->GetPlayer();
    EXPECT_EQ(25, next->GetScore());
    EXPECT_EQ(3, next->GetHealth());
    EXPECT_EQ(2, next->GetBalls());
    EXPECT_EQ(AnimationRunState::Stopped, next->GetAnimation()->GetRunState());
}

TEST_F(PlayFixture, WalkingStopsAtOnceAndAtTheWalls) {
    AddLevel("gdat\\l.bmp", Level(1, 4, {kNone, kNone, kNone, kNone, kFull}));
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();
    const float y = player->GetY();

    Input({kKeyLeft, kKeyRight});  // right wins
    play->UpdatePlayer();
    EXPECT_FLOAT_EQ(50.0f + 1.28f, player->GetX());
    Input({kKeyRight}, 120);
    play->UpdatePlayer();
    const float x = player->GetX();
    Input({}, 120);
    play->UpdatePlayer();
    EXPECT_EQ(x, player->GetX());  // no sliding
    const int frame = player->GetAnimation()->GetCurrentFrameIndex();
    EXPECT_GT(frame, 0);
    Input({}, 120);
    play->UpdatePlayer();
    EXPECT_EQ(frame, player->GetAnimation()->GetCurrentFrameIndex());  // frozen
    Input({kKeyRight});
    play->UpdatePlayer();
    EXPECT_EQ(0, player->GetAnimation()->GetCurrentFrameIndex());
    Input({kKeyLeft});
    play->UpdatePlayer();
    EXPECT_TRUE(player->IsFacingLeft());
    EXPECT_EQ(0, player->GetAnimation()->GetCurrentFrameIndex());

    for (auto [key, wall] : {std::pair{kKeyLeft, 0.0f}, {kKeyRight, 640.0f - kPlayerW}}) {
        for (int i = 0; i < 300; ++i) {
            Input({key}, 33);
            play->UpdatePlayer();
        }
        EXPECT_EQ(wall, player->GetX());
    }
    EXPECT_EQ(y, player->GetY());  // standing all along
    EXPECT_EQ(0.0f, player->GetVy());
}

TEST_F(PlayFixture, HopIsASmallBobThatLandsOnTheGroundTop) {
    AddLevel("gdat\\l.bmp", Level(5, 5, {kNone, kNone, kNone, kNone, kNone, kFull}));
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();
    const float ground = player->GetY();
    ASSERT_EQ(480.0f - kGroundH - kPlayerH, ground);

    for (int i = 0; i < 50; ++i) {  // standing still changes nothing
        Input({});
        play->UpdatePlayer();
    }
    EXPECT_EQ(ground, player->GetY());
    EXPECT_EQ(0.0f, player->GetVy());

    Input({kKeyUp});
    play->UpdatePlayer();
    float highest = player->GetY();
    int ms = 16;
    Input({kKeyUp});  // held in the air: no second hop
    play->UpdatePlayer();
    ms += 16;
    while (player->GetVy() != 0.0f && ms < 2000) {
        highest = std::min(highest, player->GetY());
        Input({});
        play->UpdatePlayer();
        ms += 16;
    }
    EXPECT_GT(ground - highest, 1.0f);
    EXPECT_LT(ground - highest, 3.0f);
    EXPECT_GE(ms, 400);
    EXPECT_LE(ms, 600);
    EXPECT_EQ(ground, player->GetY());
}

TEST_F(PlayFixture, WalkingOffALedgeFallsToTheGroundBelow) {
    AddLevel("gdat\\l.bmp", Level(0, 2, {kNone, kNone, "BBB.............", kNone, kNone, kFull}));
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();
    int frames = 0;
    while (player->GetY() < 200.0f && frames++ < 500) {
        Input({kKeyRight});
        play->UpdatePlayer();
    }
    EXPECT_GT(player->GetX(), 100.0f);  // past the last ground cell
    for (int i = 0; i < 300 && !(player->GetVy() == 0.0f && player->GetY() > 400.0f); ++i) {
        Input({});
        play->UpdatePlayer();
    }
    EXPECT_EQ(480.0f - kGroundH - kPlayerH, player->GetY());
}

TEST_F(PlayFixture, APlayerBelowTheScreenFallsForEver) {
    AddLevel("gdat\\l.bmp", Level(4, 5, {kFull, kFull, kFull, kFull, kFull, kNone}));
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();
    float last = player->GetY();
    for (int i = 0; i < 600; ++i) {  // well past the 16-bit range
        Input({}, 100);
        play->UpdatePlayer();
        ASSERT_GT(player->GetY(), last);
        last = player->GetY();
    }
    EXPECT_GT(last, 100000.0f);
}

TEST_F(PlayFixture, TouchedBallsArePickedUp) {
    AddLevel("gdat\\l.bmp", Level(4, 5, {kNone, kNone, kNone, kNone, kNone, kFull}));
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();
    const float x = player->GetX(), y = player->GetY();
    play->GetBalls().push_back(new Ball{x + 15, y + 20, 0.3f, 0.0f});
    play->GetBalls().push_back(new Ball{x - 8, y, 0.0f, 0.0f});  // touching edges only
    play->GetBalls().push_back(new Ball{x, y + 32, 0.0f, 0.0f});
    Input({});
    play->UpdatePlayer();
    EXPECT_EQ(4, player->GetBalls());
    ASSERT_EQ(1u, play->GetBalls().size());
    EXPECT_EQ(x - 8, play->GetBalls().front()->x);
}
