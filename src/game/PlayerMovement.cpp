// Player movement. The arrow keys set a walking speed for this frame only
// (right wins over left; nothing held stops him at once), the up arrow hops
// while vy is exactly 0, and gravity pulls whenever his feet are not level
// with a ground top. The ground is judged one pixel below the candidate
// position, against the band of the row his feet are in: ground under both
// edges supports him outright, ground under one edge only when the pixels
// touch. Without support the gap pulls him down harder; with support he
// lands on the ground top if his feet have just entered the band. Then he
// moves, and picks up every ball he touches.
#include <vector>

#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/Sprite.h"
#include "game/Ball.h"
#include "game/Collision.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Truncate.h"

namespace {

const float kWalkSpeed = 0.08f;
const float kHopSpeed = 0.0225f;
const float kGravity = 0.0001f;
const float kGapPull = 0.0002f;

}  // namespace

void PlayState::UpdatePlayer() {
    const float delta = static_cast<float>(g_frameDelta);
    const int cellW = TileGrid::kCellWidth;
    const int cellH = TileGrid::kCellHeight;

    player->Advance();
    const int w = player->Width();
    const int h = player->Height();
    float vx = player->GetVx();
    float vy = player->GetVy();

    if (g_input->IsKeyDown(kKeyRight)) {
        vx = kWalkSpeed;
        player->WalkRight();
    } else if (g_input->IsKeyDown(kKeyLeft)) {
        vx = -kWalkSpeed;
        player->WalkLeft();
    } else {
        player->StopWalking();
    }
    if (g_input->IsKeyDown(kKeyUp) && vy == 0.0f) {
        vy = vy - kHopSpeed;
    }

    const float nx = player->GetX() + delta * vx;
    Sint16 ix = TruncToInt16(nx);
    if (TruncToInt16(player->GetY()) % cellH != cellH - h - groundHeight) {
        vy += kGravity * delta;
    }
    const float ny = player->GetY() + delta * vy;
    const Sint16 iy = TruncToInt16(ny);

    if (ix < 0) {
        ix = 0;
        vx = 0.0f;
        player->SetX(0.0f);
    }
    if (ix > kScreenWidth - w) {
        ix = static_cast<Sint16>(kScreenWidth - w);
        vx = 0.0f;
        player->SetX(static_cast<float>(kScreenWidth - w));
    }

    const int row = (iy + h) / cellH;
    const int leftColumn = ix / cellW;
    const int rightColumn = (ix + w) / cellW;
    const Sint16 top = static_cast<Sint16>(cellH * (row + 1) - groundHeight);
    const int y1 = iy + 1;
    if (ix + w > 0 && ix < kScreenWidth && y1 + h > top && y1 < top + groundHeight) {
        Sprite* groundShape = groundSprites[0];
        const bool groundLeft = tileGrid.HasGround(row, leftColumn);
        const bool groundRight = tileGrid.HasGround(row, rightColumn);
        bool supported = (groundLeft && groundRight) ||
                         (groundLeft && PixelsOverlap(player->CurrentFrame(), ix, y1, groundShape,
                                                      cellW * leftColumn, top)) ||
                         (groundRight && PixelsOverlap(player->CurrentFrame(), ix, y1, groundShape,
                                                       cellW * rightColumn, top));
        if (!supported) {
            vy += kGapPull * delta;
        } else if ((y1 + h) % cellH >= cellH - groundHeight &&
                   TruncToInt16(player->GetY() + static_cast<float>(h)) % cellH <
                       cellH - groundHeight) {
            vy = 0.0f;
            player->SetY(static_cast<float>(static_cast<Sint16>(top - h)));
        }
    }
    player->SetVy(vy);

    player->SetX(player->GetX() + delta * vx);
    player->SetY(player->GetY() + delta * vy);

    const int px = TruncToInt16(player->GetX());
    const int py = TruncToInt16(player->GetY());
    const int bw = ballSprite ? ballSprite->GetWidth() : 0;
    const int bh = ballSprite ? ballSprite->GetHeight() : 0;
    std::vector<Ball*> pickedUp;
    for (Ball* ball : ballList) {
        const int bx = TruncToInt16(ball->x);
        const int by = TruncToInt16(ball->y);
        if (px + w > bx && px < bx + bw && py + h > by && py < by + bh &&
            PixelsOverlap(player->CurrentFrame(), px, py, ballSprite, bx, by)) {
            player->SetBalls(player->GetBalls() + 1);
            pickedUp.push_back(ball);
        }
    }
    for (Ball* ball : pickedUp) {
        ballList.remove(ball);
        delete ball;
    }
}
