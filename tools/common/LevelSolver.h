#pragma once

#include <vector>

#include "common/LevelGrid.h"

// Can the player get from his start to the level's exit by walking and
// falling alone? Cells are the states: he stands on the ground of a cell,
// walks into a neighbouring cell of the same row, and where that cell has no
// ground he drops straight down its column to the first ground below (or out
// of the level). The exit is the ground of the bottom row's rightmost cell,
// where his right edge meets the screen edge. Zombies are ignored: they cost
// hearts, not the way.
class LevelSolver {
public:
    explicit LevelSolver(const LevelGrid& grid);

    bool IsWinnable() const { return !route.empty(); }
    // Cells stood on from the start to the exit; empty when unwinnable.
    const std::vector<LevelGrid::Cell>& Route() const { return route; }
    // Every cell the player can stand on.
    bool CanStandOn(int row, int column) const { return reached[row][column]; }

private:
    // The row on whose ground the player comes to rest when his feet are at
    // the ground level of row in column; -1 when he falls out of the level.
    int Settle(int row, int column) const;

    const LevelGrid& grid;
    bool reached[LevelGrid::kRows][LevelGrid::kColumns];
    std::vector<LevelGrid::Cell> route;
};
