// Drawing the play screen: ground tiles first, then the heads-up display
// (hearts, balls in hand, score), then the player, the zombies, the balls in
// flight and the crosshair, each over the ones before. Drawing reads the
// state and never changes it.
#include <cmath>
#include <cstdio>

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/Sprite.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Truncate.h"
#include "game/Zombie.h"

void PlayState::DrawTiles() {
    for (int row = 0; row < TileGrid::kRows; ++row) {
        for (int column = 0; column < TileGrid::kColumns; ++column) {
            int kind = tileGrid.GroundKind(row, column);
            if (kind < 1 || kind > 4) {
                continue;
            }
            g_display->Blit(groundSprites[kind - 1],
                            static_cast<Sint16>(TileGrid::kCellWidth * column),
                            static_cast<Sint16>(TileGrid::kCellHeight * row +
                                                TileGrid::kCellHeight - groundHeight));
        }
    }
}

void PlayState::DrawScene() {
    const int heartWidth = heartSprite ? heartSprite->GetWidth() : 0;
    for (int i = 0; i < player->GetHealth(); ++i) {
        g_display->Blit(heartSprite, static_cast<Sint16>(3 + i * heartWidth), 3);
    }
    for (int i = 1; i <= player->GetBalls(); ++i) {
        g_display->Blit(ballSprite, static_cast<Sint16>(637 - i * heartWidth), 3);
    }
    char scoreText[16];
    std::snprintf(scoreText, sizeof scoreText, "%d", player->GetScore());
    g_display->DrawText(font, 100, 0, kWhite, scoreText);

    g_display->Blit(player->CurrentFrame(), TruncToInt16(player->GetX()),
                    TruncToInt16(player->GetY()));
    for (Zombie* zombie : zombieList) {
        int y = (zombie->Row() + 1) * TileGrid::kCellHeight - groundHeight - zombie->Height();
        g_display->Blit(zombie->CurrentFrame(), TruncToInt16(zombie->GetX()),
                        static_cast<Sint16>(y));
    }
    for (Ball* ball : ballList) {
        g_display->Blit(ballSprite, TruncToInt16(ball->x), TruncToInt16(ball->y));
    }

    const int half = player->Width() / 2;
    const float c = std::cos(aimAngle);
    const float s = std::sin(aimAngle);
    float cx = player->IsFacingLeft() ? static_cast<float>(half) + player->GetX() - 20.0f * c
                                      : static_cast<float>(half) + 20.0f * c + player->GetX();
    float cy = 20.0f * s + player->GetY() + 10.0f;
    g_display->Blit(crosshairSprite, TruncToInt16(cx), TruncToInt16(cy));
}
