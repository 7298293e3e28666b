// Zombies. Each walks at 0.05 px/ms along the ground top of its own row,
// ground or not, and turns back (staying where it stood) when a point 10
// pixels inside its leading edge would enter a TurnBack cell or leave the
// screen. At the candidate position, even a refused one, it is broken by
// every ball faster than 0.02 px/ms that touches it (each such ball flies on
// at half speed) and by touching the player, which costs him a heart. A
// zombie that broke this frame plays a death sound and scores once; a
// broken zombie only runs out its animation from then on.
#include <cstdlib>

#include "engine/Globals.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "game/Ball.h"
#include "game/Collision.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Truncate.h"
#include "game/Zombie.h"

namespace {

const float kWalkSpeed = 0.05f;
const float kProbeInset = 10.0f;
const float kPerCell = 0.025f;
const float kBreakSpeed = 0.02f;
const float kSlowDown = 0.5f;

bool FastEnough(const Ball& ball) {
    return ball.vx > kBreakSpeed || ball.vx < -kBreakSpeed || ball.vy > kBreakSpeed ||
           ball.vy < -kBreakSpeed;
}

}  // namespace

void PlayState::UpdateZombies() {
    const float delta = static_cast<float>(g_frameDelta);
    const int bw = ballSprite ? ballSprite->GetWidth() : 0;
    const int bh = ballSprite ? ballSprite->GetHeight() : 0;

    for (Zombie* zombie : zombieList) {
        zombie->Advance();
        if (zombie->IsBroken()) {
            continue;
        }
        const int row = zombie->Row();
        const int zy = (row + 1) * TileGrid::kCellHeight - groundHeight - zombie->Height();

        float nx;
        if (zombie->IsWalkingLeft()) {
            nx = zombie->GetX() - kWalkSpeed * delta;
            const float probe = (nx + kProbeInset) * kPerCell;
            if (probe < 0.0f || tileGrid.IsTurnBack(row, TruncToInt16(probe))) {
                zombie->WalkRight();
            } else {
                zombie->SetX(nx);
            }
        } else {
            nx = zombie->GetX() + kWalkSpeed * delta;
            const int column =
                TruncToInt16((static_cast<float>(zombie->Width()) + nx - kProbeInset) * kPerCell);
            if (column > TileGrid::kColumns - 1 || tileGrid.IsTurnBack(row, column)) {
                zombie->WalkLeft();
            } else {
                zombie->SetX(nx);
            }
        }

        const int zx = TruncToInt16(nx);
        const int zw = zombie->Width();
        const int zh = zombie->Height();

        for (Ball* ball : ballList) {
            const int bx = TruncToInt16(ball->x);
            const int by = TruncToInt16(ball->y);
            if (zx + zw > bx && zx < bx + bw && zy + zh > by && zy < by + bh &&
                PixelsOverlap(zombie->CurrentFrame(), zx, zy, ballSprite, bx, by) &&
                FastEnough(*ball)) {
                zombie->Break();
                ball->vx *= kSlowDown;
                ball->vy *= kSlowDown;
            }
        }

        const int px = TruncToInt16(player->GetX());
        const int py = TruncToInt16(player->GetY());
        const int pw = player->Width();
        const int ph = player->Height();
        if (zx + zw > px && zx < px + pw && zy + zh > py && zy < py + ph &&
            PixelsOverlap(player->CurrentFrame(), px, py, zombie->CurrentFrame(), zx, zy)) {
            player->SetHealth(player->GetHealth() - 1);
            zombie->Break();
        }

        if (zombie->IsBroken()) {
            PlaySound(deathSounds[std::rand() % 3], -1, 0);
            player->AddKillScore();
        }
    }
}
