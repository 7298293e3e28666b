#include "common/LevelGrid.h"

LevelGrid::LevelGrid() : ground(), turnBack() {}

void LevelGrid::SetObjectPixel(int row, int column, uint32_t rgb) {
    if (rgb == kStartColour) {
        starts.push_back({row, column});
    } else if (rgb == kZombieColour) {
        zombies.push_back({row, column});
    } else if (rgb == kTurnBackColour) {
        turnBack[row][column] = true;
    }
}

void LevelGrid::SetGroundPixel(int row, int column, uint32_t rgb) {
    ground[row][column] = rgb == kGroundColour;
}

bool LevelGrid::HasGround(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return false;
    }
    return ground[row][column];
}

bool LevelGrid::IsTurnBack(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return false;
    }
    return turnBack[row][column];
}
