#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/Ball.h"
#include "game/PlayFixture.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"

namespace {

std::vector<Zombie*> Zombies(PlayState* play) {
    return std::vector<Zombie*>(play->GetZombies().begin(), play->GetZombies().end());
}

}  // namespace

TEST_F(PlayFixture, ZombiesTurnAtMarksAndTheSidesOnly) {
    std::vector<std::string> rows = EmptyLevel();
    rows[2] = "..W..R..W.......";  // no ground anywhere on that row
    rows[6] = "R...............";
    rows[8] = "...............R";
    rows[10][10] = 'G';
    AddLevel("gdat\\l.bmp", rows);
    PlayState* play = Play("gdat\\l.bmp");
    std::vector<Zombie*> zombies = Zombies(play);
    ASSERT_EQ(3u, zombies.size());
    zombies[0]->WalkRight();
    zombies[1]->WalkLeft();
    zombies[2]->WalkRight();
    std::vector<float> low(3, 1e9f), high(3, -1e9f);
    std::vector<int> turns(3, 0);
    for (int frame = 0; frame < 1000; ++frame) {
        std::vector<bool> left;
        for (Zombie* zombie : zombies) {
            left.push_back(zombie->IsWalkingLeft());
        }
        Input({});
        play->UpdateZombies();
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], zombies[i]->GetX());
            high[i] = std::max(high[i], zombies[i]->GetX());
            turns[i] += left[i] != zombies[i]->IsWalkingLeft();
        }
    }
    // The point 10 px inside the leading edge stops short of the marked
    // cells 2 and 8, and of the screen's sides.
    EXPECT_GE(low[0], 110.0f);
    EXPECT_LT(low[0], 110.8f);
    EXPECT_GE(high[0], 309.2f);
    EXPECT_LT(high[0], 310.0f);
    EXPECT_GE(low[1], -10.0f);
    EXPECT_LT(low[1], -9.2f);
    EXPECT_GE(high[2], 629.2f);
    EXPECT_LT(high[2], 630.0f);
    for (int count : turns) {
        EXPECT_GE(count, 2);
    }
    EXPECT_EQ(0, play->GetPlayer()->GetScore());
}

TEST_F(PlayFixture, OnlyFastBallsBreakZombiesAndEachScoresOnce) {
    std::vector<std::string> rows = EmptyLevel();
    rows[4] = "...R....R.......";
    rows[10][0] = 'G';
    AddLevel("gdat\\l.bmp", rows);
    PlayState* play = Play("gdat\\l.bmp");
    Sound* deaths[3] = {play->GetDeathSound(0), play->GetDeathSound(1), play->GetDeathSound(2)};
    std::vector<Zombie*> zombies = Zombies(play);
    zombies[0]->WalkRight();
    zombies[1]->WalkRight();
    zombies[1]->SetX(zombies[0]->GetX() + 6);  // side by side
    Ball* ball = new Ball{140, 200, 0.02f, -0.02f};
    play->GetBalls().push_back(ball);

    Input({});
    play->UpdateZombies();  // slow: harmless to both
    EXPECT_FALSE(zombies[0]->IsBroken());
    EXPECT_EQ(0.02f, ball->vx);

    Silence();
    ball->vx = 0.03f;
    Input({});
    play->UpdateZombies();  // breaks the first, too slow then for the second
    EXPECT_TRUE(zombies[0]->IsBroken());
    EXPECT_FALSE(zombies[1]->IsBroken());
    EXPECT_EQ(0.015f, ball->vx);
    EXPECT_EQ(-0.01f, ball->vy);
    EXPECT_EQ(25, play->GetPlayer()->GetScore());
    if (deaths[0]) {
        EXPECT_EQ(1, Playing(deaths, 3));
    }

    ball->vx = 0.5f;
    play->GetBalls().push_back(new Ball{142, 200, 0.5f, 0.0f});
    Silence();
    Input({});
    play->UpdateZombies();  // both fast balls hit the second; the broken one lets them pass
    EXPECT_TRUE(zombies[1]->IsBroken());
    EXPECT_EQ(0.25f, ball->vx);
    EXPECT_EQ(0.25f, play->GetBalls().back()->vx);
    EXPECT_EQ(50, play->GetPlayer()->GetScore());
    for (int i = 0; i < 20; ++i) {
        Input({});
        play->UpdateZombies();
    }
    EXPECT_EQ(50, play->GetPlayer()->GetScore());
    EXPECT_EQ(0.25f, ball->vx);
    if (deaths[0]) {
        EXPECT_EQ(1, Playing(deaths, 3));
    }
}

TEST_F(PlayFixture, EveryZombieThatTouchesThePlayerCostsAHeart) {
    std::vector<std::string> rows = EmptyLevel();
    rows[4] = "....RGR...R.....";
    rows[5] = std::string(16, 'B');
    AddLevel("gdat\\l.bmp", rows);
    PlayState* play = Play("gdat\\l.bmp");
    std::vector<Zombie*> zombies = Zombies(play);
    Player* player = play->GetPlayer();  // at (210, 190)
    zombies[0]->SetX(200);
    zombies[1]->SetX(220);
    Input({});
    play->UpdateZombies();
    EXPECT_EQ(1, player->GetHealth());
    EXPECT_EQ(50, player->GetScore());

    Input({});
    play->UpdateZombies();  // broken zombies no longer hurt
    EXPECT_EQ(1, player->GetHealth());

    // Broken by a ball in the frame it touches the player: still a heart.
    zombies[2]->SetX(215);
    play->GetBalls().push_back(new Ball{225, 200, 0.1f, 0.0f});
    Input({});
    play->UpdateZombies();
    EXPECT_EQ(0, player->GetHealth());
    EXPECT_EQ(75, player->GetScore());
}
