#include <gtest/gtest.h>

#include "engine/Globals.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/StateStack.h"
#include "game/Ball.h"
#include "game/PlayFixture.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"
#include "progress/LevelOverState.h"
#include "screens/GameOverState.h"
#include "screens/PauseMenuState.h"

namespace {

// The player in column 5 of row 2 at (210, 190), ground under rows 2 and 5,
// and three zombies on his row that the tests move as they need.
std::vector<std::string> FrameLevel() {
    std::vector<std::string> rows = EmptyLevel();
    rows[4] = "R.R..G.......R..";
    rows[5] = std::string(16, 'B');
    rows[11] = std::string(16, 'B');
    return rows;
}

}  // namespace

TEST_F(PlayFixture, FrameShowsTheHudAndCrosshairBeforeItsLogic) {
    AddLevel("gdat\\l.bmp", FrameLevel());
    Play("gdat\\l.bmp");
    driver->SetMouse(320, 0);
    driver->Frame();
    // Three 20-px hearts from x 3, two balls leftwards from 617 by the heart's width.
    for (auto [x, colour, drawn] : {std::tuple{2, kHeartColour, false},
                                    {3, kHeartColour, true},
                                    {62, kHeartColour, true},
                                    {63, kHeartColour, false},
                                    {596, kBallColour, false},
                                    {597, kBallColour, true},
                                    {604, kBallColour, true},
                                    {605, kBallColour, false},
                                    {617, kBallColour, true},
                                    {624, kBallColour, true},
                                    {625, kBallColour, false}}) {
        EXPECT_EQ(drawn, driver->PixelAt(x, 3) == colour) << x;
    }
    // Drawn at the aim of the frame before: 20 px right of the centre line.
    EXPECT_EQ(kCrosshairColour, driver->PixelAt(240, 200));
    EXPECT_FLOAT_EQ(-1.0472f, Front()->GetAimAngle());
    driver->SetMouse(320, 240);
    driver->Frame();
    EXPECT_NEAR(0.0f, Front()->GetAimAngle(), 1e-6);
    driver->SetMouse(320, 479);
    driver->Frame();
    EXPECT_NEAR(1.0428f, Front()->GetAimAngle(), 1e-4);

    Front()->GetPlayer()->WalkLeft();
    Front()->SetAimAngle(0.0f);
    driver->SetMouse(320, 240);
    driver->Frame();
    EXPECT_EQ(kCrosshairColour, driver->PixelAt(200, 200));
}

TEST_F(PlayFixture, BothButtonsInOneFrameThrowOnlyTheSlowBall) {
    AddLevel("gdat\\l.bmp", FrameLevel());
    Play("gdat\\l.bmp");
    driver->Click(kButtonLeft);
    driver->Click(kButtonRight);
    driver->Frame();
    ASSERT_EQ(1u, Front()->GetBalls().size());
    EXPECT_FLOAT_EQ(0.09992f, Front()->GetBalls().front()->vx);
    EXPECT_EQ(1, Front()->GetPlayer()->GetBalls());
    driver->HoldButton(kButtonRight);
    driver->Frames(3);  // held, not pressed again
    EXPECT_EQ(1u, Front()->GetBalls().size());
}

TEST_F(PlayFixture, PainSoundOnlyForAHeartLostButNotTheLast) {
    AddLevel("gdat\\l.bmp", FrameLevel());
    Boot();
    if (!g_resources->GetSound("sdat\\tovik_pain1.ogg")) {
        GTEST_SKIP() << "no audio device";
    }
    struct Case {
        int health, touching, sounds;
        bool over;
    } cases[] = {
        {3, 0, 0, false}, {3, 1, 1, false}, {3, 2, 1, false}, {1, 1, 0, true}, {1, 2, 1, true}};
    for (const Case& c : cases) {
        PlayState* play = Play("gdat\\l.bmp");
        Sound* pains[3] = {play->GetPainSound(0), play->GetPainSound(1), play->GetPainSound(2)};
        play->GetPlayer()->SetHealth(c.health);
        int i = 0;
        for (Zombie* zombie : play->GetZombies()) {
            zombie->SetX(i++ < c.touching ? 205.0f : 500.0f);
        }
        Silence();
        driver->Frame();
        EXPECT_EQ(c.sounds, Playing(pains, 3)) << c.health << "," << c.touching;
        EXPECT_EQ(c.over, driver->FrontAs<GameOverState>() != nullptr);
    }
}

TEST_F(PlayFixture, WaysOutComeInOrderDeathWonPause) {
    AddLevel("gdat\\l.bmp", FrameLevel());
    Boot();
    auto atCorner = [this](bool onBottomGround) {
        PlayState* play = Play("gdat\\l.bmp");
        Player* player = play->GetPlayer();
        player->SetX(619.5f);
        player->SetY(onBottomGround ? 430.0f : 190.0f);
        return play;
    };

    atCorner(true)->GetPlayer()->SetHealth(0);
    driver->Tap(kKeyEscape);
    driver->Frame();
    ASSERT_NE(nullptr, driver->FrontAs<GameOverState>());
    EXPECT_EQ(1u, g_states.Count());

    atCorner(true)->GetPlayer()->SetScore(125);
    driver->Tap(kKeyEscape);
    driver->Frame();
    ASSERT_NE(nullptr, driver->FrontAs<LevelOverState>());
    EXPECT_EQ(1u, g_states.Count());
    EXPECT_EQ(125, driver->FrontAs<LevelOverState>()->GetOldScore());

    atCorner(false);  // at the right edge, but on a higher row
    driver->Frame();
    EXPECT_NE(nullptr, Front());
    driver->Tap(kKeyEscape);
    driver->Frame();
    ASSERT_NE(nullptr, driver->FrontAs<PauseMenuState>());
    EXPECT_EQ(2u, g_states.Count());
}
