#include <gtest/gtest.h>

#include "game/Ball.h"
#include "game/PlayFixture.h"
#include "game/PlayState.h"
#include "game/Player.h"

namespace {

// Ground along rows 2 and 5, except the cells marked '.' in row 2; the
// player starts in column 5 of row 2.
std::vector<std::string> ThrowLevel(const std::string& row2 = std::string(16, 'B')) {
    std::vector<std::string> rows = EmptyLevel();
    rows[4][5] = 'G';
    rows[5] = row2;
    rows[11] = std::string(16, 'B');
    return rows;
}

}  // namespace

TEST_F(PlayFixture, ThrowsGoAlongTheAimFromThePlayersSide) {
    AddLevel("gdat\\l.bmp", ThrowLevel());
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();  // at (210, 190)
    play->Throw(0);
    player->WalkLeft();
    play->Throw(1);
    play->Throw(0);  // no ball left
    EXPECT_EQ(0, player->GetBalls());
    ASSERT_EQ(2u, play->GetBalls().size());
    Ball* slow = play->GetBalls().front();
    Ball* fast = play->GetBalls().back();
    EXPECT_EQ(230.0f, slow->x);
    EXPECT_EQ(196.0f, slow->y);
    EXPECT_FLOAT_EQ(0.1f, slow->vx);
    EXPECT_EQ(0.0f, slow->vy);
    EXPECT_EQ(202.0f, fast->x);
    EXPECT_FLOAT_EQ(-0.2f, fast->vx);

    player->SetBalls(1);
    play->SetAimAngle(-1.0472f);
    play->Throw(0);
    EXPECT_NEAR(0.05f, play->GetBalls().back()->vx * -1.0f, 1e-5);  // facing left
    EXPECT_NEAR(-0.0866f, play->GetBalls().back()->vy, 1e-4);
}

TEST_F(PlayFixture, RefusedThrowsCostNothing) {
    AddLevel("gdat\\l.bmp", ThrowLevel("BBBB...........B"));
    PlayState* play = Play("gdat\\l.bmp");
    Player* player = play->GetPlayer();
    struct Case {
        float x, y;
        bool left, thrown;
    } cases[] = {
        {5, 190, true, false},     // the ball would start left of the screen
        {615, 190, false, false},  // right of it
        {612, 190, false, true},   // right edge exactly at 640, above the ground
        {612, 225, false, false},  // the same in row 2's ground (column 16 reads empty)
        {210, 225, true, true},    // in the band over a gap
        {120, 225, false, false},  // in the band, ground under both edges
        {135, 225, false, false},  // one edge over ground, touching it
    };
    for (const Case& c : cases) {
        player->SetX(c.x);
        player->SetY(c.y);
        c.left ? player->WalkLeft() : player->WalkRight();
        player->SetBalls(2);
        ClearBalls(play);
        play->Throw(0);
        EXPECT_EQ(c.thrown ? 1 : 2, player->GetBalls()) << c.x << "," << c.y;
        EXPECT_EQ(c.thrown ? 1u : 0u, play->GetBalls().size()) << c.x << "," << c.y;
    }
}

TEST_F(PlayFixture, BallsFlyAndTurnAtTheEdges) {
    std::vector<std::string> rows = EmptyLevel();
    rows[0][0] = 'G';
    AddLevel("gdat\\l.bmp", rows);
    PlayState* play = Play("gdat\\l.bmp");
    struct Case {
        Ball start;
        float vx, vy;  // after one 16-ms frame
    } cases[] = {
        {{300, 100, 0.1f, 0}, 0.09992f, 0.001568f},     // free flight
        {{1, 100, -0.2f, 0}, 0.19992f, 0.001568f},      // left edge, same speed back
        {{631, 100, 0.2f, 0}, -0.19992f, 0.001568f},    // right edge
        {{300, 1, 0, -0.2f}, 0, 0.201568f},             // top edge
        {{631, 1, 0.2f, -0.2f}, -0.19992f, 0.201568f},  // top and right together
        {{1, 1, -0.2f, -0.2f}, -0.19992f, 0.201568f},   // top now, left next frame
        {{300, 40000, 0, 3.0f}, 0, 3.001568f},          // far below: keeps falling
    };
    for (const Case& c : cases) {
        play->GetBalls().push_back(new Ball(c.start));
    }
    Input({});
    play->UpdateBalls();
    auto ball = play->GetBalls().begin();
    EXPECT_FLOAT_EQ(301.6f, (*ball)->x);
    EXPECT_EQ(100.0f, (*ball)->y);
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(c.vx, (*ball)->vx) << c.start.x << "," << c.start.y;
        EXPECT_FLOAT_EQ(c.vy, (*ball)->vy) << c.start.x << "," << c.start.y;
        ++ball;
    }
    Input({});
    play->UpdateBalls();
    EXPECT_GT(play->GetBalls().back()->y, 40000.0f);
    EXPECT_FLOAT_EQ(0.19984f, (*std::prev(play->GetBalls().end(), 2))->vx);
}

TEST_F(PlayFixture, BallsBounceOffTheGroundWithSoundOnlyWhenLively) {
    AddLevel("gdat\\l.bmp", ThrowLevel("BBBB............"));
    PlayState* play = Play("gdat\\l.bmp");
    Sound* bounces[3] = {play->GetBounceSound(0), play->GetBounceSound(1), play->GetBounceSound(2)};
    struct Case {
        Ball start;
        float vx, vy;
        int sounds;
    } cases[] = {
        // Straight down onto the full band of row 5: vertical part reversed, damped.
        {{300, 463, 0, 0.1f}, 0, -0.06f + 0.001568f, 0},
        {{300, 463, 0.02f, 0.1f}, 0.01992f, -0.06f + 0.001568f, 0},
        {{300, 463, 0.05f, 0.1f}, 0.04992f, -0.06f + 0.001568f, 1},
        // Onto the end of row 2's ground, one edge over it.
        {{153, 223, 0.0f, 0.1f}, 0, -0.06f + 0.001568f, 0},
        // Beyond its end corner: reflected along the corner's diagonal.
        {{157, 223, 0.0f, 0.1f}, 0.0755958f, -0.0043776f, 0},
        // Past its end, through the gap.
        {{170, 223, 0.0f, 0.1f}, 0, 0.101568f, 0},
    };
    for (const Case& c : cases) {
        Silence();
        ClearBalls(play);
        play->GetBalls().push_back(new Ball(c.start));
        Input({});
        play->UpdateBalls();
        Ball* ball = play->GetBalls().front();
        EXPECT_NEAR(c.vx, ball->vx, 1e-6) << c.start.x << "," << c.start.y << "," << c.start.vx;
        EXPECT_NEAR(c.vy, ball->vy, 1e-6) << c.start.x << "," << c.start.y << "," << c.start.vx;
        if (play->GetBounceSound(0)) {
            EXPECT_EQ(c.sounds, Playing(bounces, 3)) << c.start.x << "," << c.start.vx;
        }
    }
}
