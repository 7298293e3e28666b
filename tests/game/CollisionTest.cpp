#include <gtest/gtest.h>

#include <memory>

#include "engine/Sprite.h"
#include "game/Collision.h"
#include "game/PlayFixture.h"
#include "game/TileGrid.h"
#include "game/Truncate.h"

TEST(Collision, RectanglesThatOnlyShareAnEdgeDoNotOverlap) {
    SDL_Rect a = {0, 0, 10, 10};
    SDL_Rect right = {10, 0, 10, 10};
    SDL_Rect below = {0, 10, 10, 10};
    SDL_Rect inside = {9, 9, 10, 10};
    EXPECT_FALSE(RectsOverlap(a, right));
    EXPECT_FALSE(RectsOverlap(a, below));
    EXPECT_TRUE(RectsOverlap(a, inside));
    EXPECT_TRUE(RectsOverlap(inside, a));
}

TEST(Collision, PixelsOverlapOnlyWhereBothAreSolid) {
    std::unique_ptr<Sprite> solid(SolidSprite(10, 10, 0x00FF00));
    std::unique_ptr<Sprite> black(SolidSprite(10, 10, 0));
    std::unique_ptr<Sprite> dot(SolidSprite(3, 3, 0));
    SDL_Surface* surface = dot->GetSurface();
    static_cast<Uint32*>(surface->pixels)[surface->pitch / 4 * 2 + 2] = 0xFF0000;  // (2, 2)

    EXPECT_FALSE(PixelsOverlap(solid.get(), 0, 0, solid.get(), 10, 0));  // boxes touch
    EXPECT_TRUE(PixelsOverlap(solid.get(), 0, 0, solid.get(), 9, 9));
    EXPECT_FALSE(PixelsOverlap(solid.get(), 0, 0, black.get(), 5, 5));
    EXPECT_FALSE(PixelsOverlap(solid.get(), 0, 0, dot.get(), 8, 8));  // only black covers it
    EXPECT_TRUE(PixelsOverlap(solid.get(), 0, 0, dot.get(), 7, 7));
    EXPECT_TRUE(PixelsOverlap(dot.get(), 7, 7, solid.get(), 0, 0));
    EXPECT_FALSE(PixelsOverlap(nullptr, 0, 0, solid.get(), 0, 0));
}

TEST(Collision, BounceOffRectByWhereThePointLies) {
    const SDL_Rect rect = {100, 200, 40, 10};
    struct Case {
        float px, py, vx, vy, wantVx, wantVy;
    } cases[] = {
        {100, 200, 0.1f, 0.1f, -0.06f, -0.06f},   // exactly on the top-left corner: both
        {90, 205, 0.1f, 0.05f, -0.06f, 0.05f},    // level with it: horizontal part
        {120, 195, 0.03f, 0.1f, 0.03f, -0.06f},   // above it: vertical part
        {99, 199, 0.1f, 0.1f, -0.06f, -0.06f},    // towards the corner along its diagonal
        {99, 199, -0.1f, 0.05f, -0.1f, -0.03f},   // upper corner, moving away, falling
        {99, 199, -0.1f, -0.05f, 0.06f, -0.05f},  // upper corner, moving away, rising
        {141, 211, 0.1f, -0.05f, 0.1f, 0.03f},    // lower corner, moving away, rising
        {141, 211, 0.1f, 0.05f, -0.06f, 0.05f},   // lower corner, moving away, falling
    };
    for (const Case& c : cases) {
        float vx = c.vx, vy = c.vy;
        BounceOffRect(vx, vy, c.px, c.py, rect);
        EXPECT_NEAR(c.wantVx, vx, 1e-6) << c.px << "," << c.py;
        EXPECT_NEAR(c.wantVy, vy, 1e-6) << c.px << "," << c.py;
    }
    float vx = 0.1f, vy = 0.2f;
    ReflectVelocity(vx, vy, 0.0f, 0.0f);  // no direction: no change, no NaN
    EXPECT_EQ(0.1f, vx);
    EXPECT_EQ(0.2f, vy);
}

TEST(Collision, GridReadsOutsideAsEmptyAndTruncationStaysOffScreen) {
    TileGrid grid;
    grid.SetGroundKind(5, 15, 3);
    grid.SetTurnBack(5, 15);
    grid.SetGroundKind(6, 0, 2);  // dropped
    EXPECT_EQ(3, grid.GroundKind(5, 15));
    EXPECT_TRUE(grid.IsTurnBack(5, 15));
    for (auto [row, column] : {std::pair{5, 16}, {6, 0}, {-1, 0}, {0, -1}, {400, 3}}) {
        EXPECT_EQ(0u, grid.Cell(row, column));
    }

    EXPECT_EQ(1, TruncToInt16(1.9f));
    EXPECT_EQ(0, TruncToInt16(-0.9f));
    EXPECT_EQ(-3, TruncToInt16(-3.5f));
    // A figure far below the screen does not wrap round onto it.
    EXPECT_EQ(32767, TruncToInt16(65536.0f + 100.0f));
    EXPECT_EQ(2147483647, TruncToInt(1e12f));
}
