#include <gtest/gtest.h>

#include <cstring>

#include "game/Ball.h"
#include "game/PlayFixture.h"
#include "game/PlayState.h"

namespace {

// One 32-bit rounding per operation, as the game's float arithmetic must
// give: the volatile store keeps the compiler from fusing a multiply into
// the following add or from keeping a wider intermediate.
float Mul(float a, float b) {
    volatile float r = a * b;
    return r;
}

float Add(float a, float b) {
    volatile float r = a + b;
    return r;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

// Flight over odd frame lengths, where a double constant or intermediate, or
// a fused multiply-add, drifts from the game's own numbers within a few
// frames.
TEST_F(PlayFixture, BallFlightIsRoundedToFloatAtEveryStep) {
    std::vector<std::string> rows = EmptyLevel();
    rows[0][0] = 'G';
    AddLevel("gdat\\l.bmp", rows);
    PlayState* play = Play("gdat\\l.bmp");
    auto frameDelta = [](int frame) { return static_cast<Uint32>(1 + frame * 7 % 40); };

    // Slow balls too: the rounding of a small velocity shows the smallest
    // difference in the constants.
    std::vector<Ball> models;
    for (int i = 0; i < 64; ++i) {
        Ball ball = {10.3f * i + 0.7f, 20.0f + 1.9f * i, (i - 32) * 0.0071f, (i % 8 - 6) * 0.0371f};
        models.push_back(ball);
        play->GetBalls().push_back(new Ball(ball));
    }
    const float right = 640.0f - kBallSize;
    int edgeBounces = 0;
    for (int frame = 0; frame < 300; ++frame) {
        const float d = static_cast<float>(frameDelta(frame));
        Input({}, frameDelta(frame));
        play->UpdateBalls();

        auto ball = play->GetBalls().begin();
        for (Ball& model : models) {
            float nx = Add(model.x, Mul(d, model.vx));
            float ny = Add(model.y, Mul(d, model.vy));
            if (ny < 0.0f) {
                model.vy = -model.vy;
                ++edgeBounces;
                if (nx > right) {
                    model.vx = -model.vx;
                }
            } else if (nx < 0.0f || nx > right) {
                model.vx = -model.vx;
                ++edgeBounces;
            }
            model.x = Add(model.x, Mul(d, model.vx));
            model.y = Add(model.y, Mul(d, model.vy));
            model.vy = Add(model.vy, Mul(d, 0.000098f));
            if (model.vx < 0.0f) {
                model.vx = Add(model.vx, Mul(d, 0.000005f));
            } else if (model.vx > 0.0f) {
                model.vx = Add(model.vx, -Mul(d, 0.000005f));
            }
            const Ball* game = *ball++;
            ASSERT_TRUE(SameBits(model.x, game->x) && SameBits(model.y, game->y) &&
                        SameBits(model.vx, game->vx) && SameBits(model.vy, game->vy))
                << "frame " << frame << ": " << game->x << "," << game->y;
        }
    }
    EXPECT_GE(edgeBounces, 2);
}
