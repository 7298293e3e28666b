#include <gtest/gtest.h>

#include <vector>

#include "engine/Globals.h"
#include "game/Animation.h"

namespace {

Animation Make(int frames, AnimationMode mode) {
    std::vector<Sprite*> list(frames, nullptr);
    return Animation(list.data(), frames, 120, mode);
}

// Steps at the given tick and returns the frame shown.
int At(Animation& animation, Uint32 ticks) {
    g_lastTicks = ticks;
    animation.Advance();
    return animation.GetCurrentFrameIndex();
}

}  // namespace

TEST(Animation, StartRestartsOnlyAStoppedAnimation) {
    g_lastTicks = 1000;
    Animation walk = Make(10, AnimationMode::Loop);
    EXPECT_EQ(AnimationRunState::Stopped, walk.GetRunState());
    EXPECT_EQ(0, At(walk, 5000));  // stopped: no step
    g_lastTicks = 1000;
    walk.Start();
    EXPECT_EQ(0, At(walk, 1119));
    EXPECT_EQ(1, At(walk, 1120));
    EXPECT_EQ(2, At(walk, 1900));  // a long frame steps once
    walk.Start();                  // running: left alone
    EXPECT_EQ(2, walk.GetCurrentFrameIndex());
    walk.Stop();
    EXPECT_EQ(2, At(walk, 3000));
    walk.Start();
    EXPECT_EQ(0, walk.GetCurrentFrameIndex());

    Animation copy(walk);
    EXPECT_EQ(AnimationRunState::Stopped, copy.GetRunState());
    EXPECT_EQ(0, copy.GetCurrentFrameIndex());
    EXPECT_EQ(10, copy.GetFrameCount());
}

TEST(Animation, ModesRunTheirCourse) {
    g_lastTicks = 0;
    Animation once = Make(9, AnimationMode::PlayOnce);
    once.Start();
    for (int step = 1; step <= 8; ++step) {
        EXPECT_EQ(step, At(once, 120 * step));
    }
    EXPECT_EQ(AnimationRunState::Stopped, once.GetRunState());
    EXPECT_EQ(8, At(once, 5000));

    g_lastTicks = 0;
    Animation loop = Make(3, AnimationMode::Loop);
    loop.Start();
    std::vector<int> seen;
    for (int step = 1; step <= 4; ++step) {
        seen.push_back(At(loop, 120 * step));
    }
    EXPECT_EQ((std::vector<int>{1, 2, 0, 1}), seen);

    for (auto [mode, frames, want] :
         {std::tuple{AnimationMode::PingPongLoop, 3, std::vector<int>{1, 2, 1, 0, 1, 2}},
          {AnimationMode::PingPongOnce, 3, std::vector<int>{1, 2, 1, 0, 0, 0}},
          {AnimationMode::PingPongLoop, 2, std::vector<int>{1, 0, 0, 1, 0, 0}}}) {
        g_lastTicks = 0;
        Animation pingPong = Make(frames, mode);
        pingPong.Start();
        seen.clear();
        for (int step = 1; step <= 6; ++step) {
            seen.push_back(At(pingPong, 120 * step));
        }
        EXPECT_EQ(want, seen);
    }

    Animation still = Make(1, AnimationMode::Loop);
    still.Start();
    EXPECT_EQ(0, At(still, 100000));
}
