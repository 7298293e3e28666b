// Throwing. A new ball starts beside the player on the side he faces, level
// with a point 10 pixels below his top, and flies along the aim angle
// (mirrored when he faces left) at 0.1 px/ms for a slow throw or 0.2 for a
// fast one. The throw is refused, at no cost, without a ball in hand, when
// the ball would start beyond a side of the screen, or inside the ground.
#include <cmath>

#include "engine/Sprite.h"
#include "game/Ball.h"
#include "game/Collision.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Truncate.h"

void PlayState::Throw(int button) {
    const int bw = ballSprite ? ballSprite->GetWidth() : 0;
    const int bh = ballSprite ? ballSprite->GetHeight() : 0;
    const bool facingLeft = player->IsFacingLeft();
    float bx = facingLeft ? player->GetX() - static_cast<float>(bw)
                          : player->GetX() + static_cast<float>(player->Width());
    float by = (player->GetY() + 10.0f) - static_cast<float>(bh / 2);
    SDL_Rect ballRect = {TruncToInt16(bx), TruncToInt16(by), static_cast<Uint16>(bw),
                         static_cast<Uint16>(bh)};

    if (bx < 0.0f || bx + static_cast<float>(bw) > 640.0f || player->GetBalls() <= 0) {
        return;
    }

    const int row = ballRect.y / TileGrid::kCellHeight;
    const int leftColumn = ballRect.x / TileGrid::kCellWidth;
    const int rightColumn = (ballRect.x + bw) / TileGrid::kCellWidth;
    const int groundTop = (row + 1) * TileGrid::kCellHeight - groundHeight;
    SDL_Rect strip = {0, static_cast<Sint16>(groundTop), kScreenWidth,
                      static_cast<Uint16>(groundHeight)};
    if (RectsOverlap(ballRect, strip)) {
        const bool groundLeft = tileGrid.HasGround(row, leftColumn);
        const bool groundRight = tileGrid.HasGround(row, rightColumn);
        if (groundLeft && groundRight) {
            return;
        }
        if (groundLeft && PixelsOverlap(ballSprite, ballRect.x, ballRect.y, groundSprites[0],
                                        TileGrid::kCellWidth * leftColumn, groundTop)) {
            return;
        }
        if (groundRight && PixelsOverlap(ballSprite, ballRect.x, ballRect.y, groundSprites[0],
                                         TileGrid::kCellWidth * rightColumn, groundTop)) {
            return;
        }
    }

    const float speed = button == 1 ? 0.2f : 0.1f;
    const float direction = facingLeft ? -1.0f : 1.0f;
    Ball* ball =
        new Ball{bx, by, std::cos(aimAngle) * direction * speed, std::sin(aimAngle) * speed};
    player->SetBalls(player->GetBalls() - 1);
    ballList.push_back(ball);
}
