#include "game/TileGrid.h"

TileGrid::TileGrid() {
    Clear();
}

void TileGrid::Clear() {
    for (auto& row : cells) {
        for (Uint32& cell : row) {
            cell = 0;
        }
    }
}

Uint32 TileGrid::Cell(int row, int column) const {
    return Inside(row, column) ? cells[row][column] : 0;
}

void TileGrid::SetGroundKind(int row, int column, int kind) {
    if (Inside(row, column)) {
        cells[row][column] =
            (cells[row][column] & ~kGroundKindMask) | (static_cast<Uint32>(kind) & kGroundKindMask);
    }
}

void TileGrid::SetTurnBack(int row, int column) {
    if (Inside(row, column)) {
        cells[row][column] |= kTurnBack;
    }
}
