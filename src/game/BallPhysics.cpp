// Ball flight. Each ball is first probed where this frame's velocity would
// take it: beyond the top, left or right edge the crossing component turns
// round at full speed (no bottom edge: a ball that drops out of the screen
// is gone); overlapping the ground band of its row, it bounces off the whole
// band when both cells under it have ground, or off one tile whose pixels it
// touches, losing 0.6 of the part of its speed that meets the ground. Then
// it moves with the new velocity from where it was, gravity pulls and a
// little drag slows it, and a lively bounce makes a sound.
#include <cstdlib>

#include "engine/Globals.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "game/Ball.h"
#include "game/Collision.h"
#include "game/PlayState.h"
#include "game/Truncate.h"

namespace {

const float kGravity = 0.000098f;
const float kDrag = 0.000005f;
const float kEdgeFactor = -1.0f;
const float kSoundSpeed = 0.02f;

bool Lively(float v) {
    return v > kSoundSpeed || v < -kSoundSpeed;
}

}  // namespace

void PlayState::UpdateBalls() {
    const float delta = static_cast<float>(g_frameDelta);
    const int bw = ballSprite ? ballSprite->GetWidth() : 0;
    const int bh = ballSprite ? ballSprite->GetHeight() : 0;
    const int cellW = TileGrid::kCellWidth;
    const int cellH = TileGrid::kCellHeight;
    const float rightLimit = 640.0f - static_cast<float>(bw);

    for (Ball* ball : ballList) {
        bool bounced = false;
        float nx = ball->x + delta * ball->vx;
        float ny = ball->y + delta * ball->vy;

        bool testRight = true;
        if (ny < 0.0f) {
            ball->vy = ball->vy * kEdgeFactor;
            ny = 0.0f;
            bounced = true;
        } else if (nx < 0.0f) {
            ball->vx = ball->vx * kEdgeFactor;
            nx = 0.0f;
            bounced = true;
            testRight = false;
        }
        if (testRight && nx > rightLimit) {
            nx = rightLimit;
            ball->vx = ball->vx * kEdgeFactor;
            bounced = true;
        }

        const int ix = TruncToInt16(nx);
        const int iy = TruncToInt16(ny);
        const float cx = nx + static_cast<float>(bw / 2);
        const float cy = ny + static_cast<float>(bh / 2);
        const int row = iy / cellH;
        const int leftColumn = ix / cellW;
        const int rightColumn = (ix + bw) / cellW;
        const Sint16 top = static_cast<Sint16>(cellH * (row + 1) - groundHeight);
        if (ix + bw > 0 && ix < kScreenWidth && iy + bh > top && iy < top + groundHeight) {
            Sprite* groundShape = groundSprites[0];
            const Uint16 bandHeight = static_cast<Uint16>(groundHeight);
            const bool groundLeft = tileGrid.HasGround(row, leftColumn);
            const bool groundRight = tileGrid.HasGround(row, rightColumn);
            bool hit = true;
            SDL_Rect rect;
            if (groundLeft && groundRight) {
                rect = {0, top, static_cast<Uint16>(kScreenWidth), bandHeight};
            } else if (groundLeft && PixelsOverlap(groundShape, cellW * leftColumn, top, ballSprite,
                                                   ix - 1, iy - 1)) {
                rect = {static_cast<Sint16>(cellW * leftColumn), top, static_cast<Uint16>(cellW),
                        bandHeight};
            } else if (groundRight &&
                       PixelsOverlap(groundShape, cellW * rightColumn, top, ballSprite, ix, iy)) {
                rect = {static_cast<Sint16>(cellW * rightColumn), top, static_cast<Uint16>(cellW),
                        bandHeight};
            } else {
                hit = false;
            }
            if (hit) {
                BounceOffRect(ball->vx, ball->vy, cx, cy, rect);
                bounced = true;
            }
        }

        ball->x += delta * ball->vx;
        ball->y += delta * ball->vy;
        ball->vy += delta * kGravity;
        if (ball->vx < 0.0f) {
            ball->vx += delta * kDrag;
        } else if (ball->vx > 0.0f) {
            ball->vx -= delta * kDrag;
        }

        if (bounced && Lively(ball->vx) && Lively(ball->vy)) {
            PlaySound(bounceSounds[std::rand() % 3], -1, 0);
        }
    }
}
