#include <gtest/gtest.h>

#include <vector>

#include "engine/Engine.h"
#include "engine/GameState.h"
#include "engine/Globals.h"
#include "engine/StateStack.h"

namespace {

TEST(FrameClock, LongFramesCountAsThirtyThreeMilliseconds) {
    g_lastTicks = 1000;
    AdvanceFrameClock(1100);
    EXPECT_EQ(g_frameDelta, 100u);
    EXPECT_EQ(g_lastTicks, 1100u);
    AdvanceFrameClock(1201);
    EXPECT_EQ(g_frameDelta, 33u);
    EXPECT_EQ(g_lastTicks, 1201u);
    // The first frame after start-up measures from tick 0.
    g_lastTicks = 0;
    AdvanceFrameClock(5000);
    EXPECT_EQ(g_frameDelta, 33u);
    // The tick counter wrapping around still gives a short frame.
    g_lastTicks = 0xFFFFFFF0u;
    AdvanceFrameClock(0x10);
    EXPECT_EQ(g_frameDelta, 32u);
}

// Records every Update it receives; may push or pop on a given call.
struct ProbeState : GameState {
    std::vector<int>* log;
    int id;
    int calls = 0;
    int pushOnCall = -1;
    bool popOnFirst = false;
    bool* destroyed = nullptr;
    ProbeState(std::vector<int>* log, int id) : log(log), id(id) {}
    ~ProbeState() override {
        if (destroyed) {
            *destroyed = true;
        }
    }
    void Update() override {
        log->push_back(id);
        ++calls;
        if (calls == pushOnCall) {
            PushState(new ProbeState(log, id + 1));
        }
        if (popOnFirst) {
            PopState();
        }
    }
};

TEST(StateStack, PushedScreenFirstRunsInTheNextFrameAndPopReturnsBeneath) {
    std::vector<int> log;
    auto* first = new ProbeState(&log, 1);
    first->pushOnCall = 1;
    PushState(first);
    EXPECT_TRUE(UpdateFrontScreen());
    EXPECT_EQ(log, std::vector<int>({1}));
    EXPECT_EQ(g_states.Count(), 2u);
    EXPECT_TRUE(UpdateFrontScreen());
    EXPECT_EQ(log, std::vector<int>({1, 2}));
    // Popping the front screen returns to the one beneath, state intact.
    PopState();
    EXPECT_TRUE(UpdateFrontScreen());
    EXPECT_EQ(log, std::vector<int>({1, 2, 1}));
    EXPECT_EQ(first->calls, 2);
    g_states.Clear();
}

TEST(StateStack, EmptiedStackEndsTheLoopAndPopOnEmptyIsHarmless) {
    std::vector<int> log;
    bool destroyed = false;
    auto* only = new ProbeState(&log, 1);
    only->popOnFirst = true;
    only->destroyed = &destroyed;
    PushState(only);
    EXPECT_FALSE(UpdateFrontScreen());
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(g_states.Empty());
    PopState();
    EXPECT_FALSE(UpdateFrontScreen());
}

}  // namespace
