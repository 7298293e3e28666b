// Building a level from its image. Pixel rows come in pairs, one pair per
// grid row: the object row places the player (green), zombies (red) and
// turning marks (white); the ground row below it lays ground (blue) of a
// random kind. The scan runs row by row, objects left to right, then ground
// left to right, and rand is drawn in that order: once by each zombie for
// its first direction, once for each ground cell.
#include <cstdlib>

#include "engine/Globals.h"
#include "engine/Sprite.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"

namespace {

const Uint32 kStartPixel = 0x00FF00;
const Uint32 kZombiePixel = 0xFF0000;
const Uint32 kTurnBackPixel = 0xFFFFFF;
const Uint32 kGroundPixel = 0x0000FF;

Uint32 LevelPixel(const SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                           y * surface->pitch)[x];
}

}  // namespace

bool PlayState::LoadLevel(Sprite* levelImage) {
    if (!levelImage || levelImage->GetWidth() < TileGrid::kColumns ||
        levelImage->GetHeight() < 2 * TileGrid::kRows ||
        levelImage->GetSurface()->format->BytesPerPixel != 4) {
        return false;
    }
    SDL_Surface* surface = levelImage->GetSurface();
    SDL_LockSurface(surface);
    for (int row = 0; row < TileGrid::kRows; ++row) {
        for (int column = 0; column < TileGrid::kColumns; ++column) {
            Uint32 pixel = LevelPixel(surface, column, 2 * row);
            if (pixel == kStartPixel) {
                PlacePlayer(column, row);
            } else if (pixel == kZombiePixel) {
                AddZombie(column, row);
            } else if (pixel == kTurnBackPixel) {
                tileGrid.SetTurnBack(row, column);
            }
        }
        for (int column = 0; column < TileGrid::kColumns; ++column) {
            if (LevelPixel(surface, column, 2 * row + 1) == kGroundPixel) {
                int kind = std::rand() % 4 + 1;
                if (kind == 1) {
                    kind = 2;
                }
                tileGrid.SetGroundKind(row, column, kind);
            }
        }
    }
    SDL_UnlockSurface(surface);
    return true;
}

void PlayState::PlacePlayer(int column, int row) {
    player->Place(&animationTable);
    int w = player->Width();
    int h = player->Height();
    player->SetX(
        static_cast<float>((TileGrid::kCellWidth - w) / 2 + TileGrid::kCellWidth * column));
    player->SetY(static_cast<float>((row + 1) * TileGrid::kCellHeight - groundHeight - h));
}

void PlayState::AddZombie(int column, int row) {
    zombieList.push_back(new Zombie(&animationTable, row, column));
}
