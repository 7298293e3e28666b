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
}

TEST(Animation, ModesRunTheirCourse) {
    for (auto [mode, frames, want] :
         {std::tuple{AnimationMode::PlayOnce, 9, std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 8, 8}},
          {AnimationMode::Loop, 3, std::vector<int>{1, 2, 0, 1}},
          {AnimationMode::Loop, 1, std::vector<int>{0, 0}},
          {AnimationMode::PingPongLoop, 3, std::vector<int>{1, 2, 1, 0, 1, 2}},
          {AnimationMode::PingPongOnce, 3, std::vector<int>{1, 2, 1, 0, 0, 0}},
          // Two frames turn back at frame 0 and stay in range.
          {AnimationMode::PingPongLoop, 2, std::vector<int>{1, 0, 0, 1, 0, 0}}}) {
        g_lastTicks = 0;
        Animation animation = Make(frames, mode);
        animation.Start();
        std::vector<int> seen;
        for (size_t step = 1; step <= want.size(); ++step) {
            seen.push_back(At(animation, 120 * step));
        }
        EXPECT_EQ(want, seen) << static_cast<int>(mode) << "/" << frames;
    }
}
