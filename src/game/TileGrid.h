#pragma once

#include <SDL.h>

// Bits of a grid cell.
enum : Uint32 {
    kGroundKindMask = 7,  // 0: no ground; 1-4: ground_a to ground_d
    kTurnBack = 8,        // zombies walking along the row turn back here
};

// The level's 6 x 16 cells of 40 x 80 pixels. Lookups outside the grid (the
// column right of the screen edge, rows below the screen) read as an empty
// cell, so the figures' probes never leave it.
class TileGrid {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 16;
    static constexpr int kCellWidth = 40;
    static constexpr int kCellHeight = 80;

    TileGrid();

    void Clear();
    Uint32 Cell(int row, int column) const;
    int GroundKind(int row, int column) const { return Cell(row, column) & kGroundKindMask; }
    bool HasGround(int row, int column) const { return GroundKind(row, column) != 0; }
    bool IsTurnBack(int row, int column) const { return (Cell(row, column) & kTurnBack) != 0; }
    // Writes outside the grid are dropped.
    void SetGroundKind(int row, int column, int kind);
    void SetTurnBack(int row, int column);

    static bool Inside(int row, int column) {
        return row >= 0 && row < kRows && column >= 0 && column < kColumns;
    }

private:
    Uint32 cells[kRows][kColumns];
};
