// The helpers under the play screen, each against a table worked out by
// hand: overlap and bounce geometry, animation modes, the grid's edges and
// the narrowing of positions. How the figures use them is judged by the
// recorded games in tests/replays.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/Globals.h"
#include "engine/Sprite.h"
#include "game/Animation.h"
#include "game/Collision.h"
#include "game/TileGrid.h"
#include "game/Truncate.h"

namespace {

// A w x h sprite, solid (red) except where the rows give '.'.
std::unique_ptr<Sprite> Shape(int w, int h, const std::vector<std::string>& rows = {}) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool empty = y < static_cast<int>(rows.size()) && rows[y][x] == '.';
            static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = empty ? 0 : 0xFF0000;
        }
    }
    return std::make_unique<Sprite>(s);
}

// A 10 x 10 box, and a ring (a 3 x 3 sprite solid in its middle only), at
// x, y against a solid 10 x 10 block at 0, 0.
TEST(Collision, BoxesAndPixelsOverlapOnlyWhereBothAreSolid) {
    auto block = Shape(10, 10);
    auto ring = Shape(3, 3, {"...", ".#.", "..."});
    struct {
        int x, y;
        bool boxes, ring;
    } rows[] = {{10, 0, false, false},  {0, 10, false, false}, {-10, 0, false, false},
                {0, -10, false, false}, {9, 9, true, false},   {-9, -9, true, false},
                {-3, -3, true, false},  {8, 8, true, true},    {-1, -1, true, true},
                {8, -1, true, true},    {-2, 4, true, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(r.boxes, RectsOverlap({0, 0, 10, 10}, {Sint16(r.x), Sint16(r.y), 10, 10}))
            << r.x << "," << r.y;
        EXPECT_EQ(r.ring, PixelsOverlap(ring.get(), r.x, r.y, block.get(), 0, 0))
            << r.x << "," << r.y;
        EXPECT_EQ(r.ring, PixelsOverlap(block.get(), 0, 0, ring.get(), r.x, r.y));
    }
    EXPECT_FALSE(PixelsOverlap(nullptr, 0, 0, block.get(), 0, 0));
}

// The rectangle (100, 200)-(140, 210); the restitution is 0.6.
TEST(Collision, BouncesTurnThePartOfTheVelocityFacingTheRectangle) {
    const SDL_Rect rect = {100, 200, 40, 10};
    struct {
        float px, py, vx, vy, wantVx, wantVy;
    } rows[] = {
        {100, 200, 0.1f, 0.1f, -0.06f, -0.06f},  // on the corner: both parts
        {90, 205, 0.1f, 0.05f, -0.06f, 0.05f},   // level with it
        {120, 195, 0.03f, 0.1f, 0.03f, -0.06f},  // above it
        {140, 210, 0.1f, 0.1f, -0.06f, -0.06f},  // on the far corner
        {99, 197, 0.3f, 0.0f, 0.252f, -0.144f},  // to the upper left: n = (-1, -3), d = -0.3 / 10
        {141, 199, -0.1f, 0.1f, 0.06f, -0.06f},  // towards the upper right one
        {141, 211, -0.1f, -0.1f, 0.06f, 0.06f},  // towards the lower right one
        {99, 211, 0.1f, -0.1f, -0.06f, 0.06f},   // towards the lower left one
        // Moving off a corner: falling off an upper or rising off a lower
        // one turns vy, else vx.
        {99, 199, -0.1f, 0.05f, -0.1f, -0.03f},
        {141, 199, 0.1f, -0.05f, -0.06f, -0.05f},
        {141, 211, 0.1f, -0.05f, 0.1f, 0.03f},
        {99, 211, -0.1f, 0.05f, 0.06f, 0.05f},
    };
    for (const auto& r : rows) {
        float vx = r.vx, vy = r.vy;
        BounceOffRect(vx, vy, r.px, r.py, rect);
        EXPECT_NEAR(r.wantVx, vx, 1e-6) << r.px << "," << r.py;
        EXPECT_NEAR(r.wantVy, vy, 1e-6) << r.px << "," << r.py;
    }
    float vx = 0.1f, vy = 0.2f;
    ReflectVelocity(vx, vy, 0.0f, 0.0f);  // no direction: no change, no NaN
    EXPECT_TRUE(vx == 0.1f && vy == 0.2f);
}

// Advances animation with the clock at ticks: the frame it then shows.
int FrameAt(Animation& animation, Uint32 ticks) {
    g_lastTicks = ticks;
    animation.Advance();
    return animation.GetCurrentFrameIndex();
}

// Frames shown at ticks 120, 240, ... after a start at tick 0; a tick
// early, each frame still shows the one before.
TEST(Animation, ModesRunTheirCourseOneStepPerFrameAtMost) {
    struct {
        AnimationMode mode;
        int frames;
        std::vector<int> want;
    } rows[] = {
        {AnimationMode::PlayOnce, 9, {1, 2, 3, 4, 5, 6, 7, 8, 8, 8}},
        {AnimationMode::Loop, 3, {1, 2, 0, 1}},
        {AnimationMode::Loop, 1, {0, 0}},
        {AnimationMode::PingPongLoop, 3, {1, 2, 1, 0, 1, 2}},
        {AnimationMode::PingPongOnce, 3, {1, 2, 1, 0, 0, 0}},
        {AnimationMode::PingPongLoop, 2, {1, 0, 0, 1, 0, 0}},
    };
    for (const auto& r : rows) {
        Animation animation(nullptr, r.frames, 120, r.mode);
        g_lastTicks = 0;
        animation.Start();
        std::vector<int> seen;
        for (Uint32 step = 1; step <= r.want.size(); ++step) {
            FrameAt(animation, 120 * step - 1);  // not yet
            seen.push_back(FrameAt(animation, 120 * step));
        }
        EXPECT_EQ(r.want, seen) << static_cast<int>(r.mode) << "/" << r.frames;
    }
    Animation walk(nullptr, 10, 120, AnimationMode::Loop);
    g_lastTicks = 1000;
    walk.Start();
    FrameAt(walk, 1120);
    EXPECT_EQ(2, FrameAt(walk, 2000));  // a long frame steps once
    walk.Start();                       // running: goes on
    walk.Stop();
    EXPECT_EQ(2, FrameAt(walk, 3000));  // stopped: frozen
    Animation copy(walk);
    walk.Start();  // stopped: from frame 0
    EXPECT_EQ(0, walk.GetCurrentFrameIndex());
    EXPECT_EQ(AnimationRunState::Stopped, copy.GetRunState());
    EXPECT_EQ(0, copy.GetCurrentFrameIndex());
}

TEST(Grid, ReadsOutsideAreEmptyAndPositionsSaturate) {
    TileGrid grid;
    grid.SetGroundKind(5, 15, 3);
    grid.SetTurnBack(5, 15);
    grid.SetGroundKind(6, 0, 2);  // dropped
    EXPECT_EQ(3u | kTurnBack, grid.Cell(5, 15));
    for (auto [row, column] : {std::pair{5, 16}, {6, 0}, {-1, 0}, {0, -1}, {400, 3}}) {
        EXPECT_EQ(0u, grid.Cell(row, column)) << row << "," << column;
    }
    for (auto [value, want] :
         {std::pair{1.9f, 1}, {-0.9f, 0}, {-3.5f, -3}, {65636.0f, 32767}, {-40000.0f, -32768}}) {
        EXPECT_EQ(want, TruncToInt16(value)) << value;
    }
    EXPECT_EQ(2147483647, TruncToInt(1e12f));
    EXPECT_EQ(-2147483647 - 1, TruncToInt(-1e12f));
    EXPECT_EQ(-7, TruncToInt(-7.9f));
    EXPECT_EQ(0, TruncToInt(std::nanf("")));
    EXPECT_EQ(0, TruncToInt16(std::nanf("")));
}

}  // namespace
