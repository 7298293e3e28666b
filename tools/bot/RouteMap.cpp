#include "bot/RouteMap.h"

#include <cmath>
#include <initializer_list>

#include "bot/Snapshot.h"
#include "game/TileGrid.h"

namespace {

// He walks 0.08 px/ms, 1.28 px a frame: a cell in 31 frames. He falls at
// 0.0001 px/ms^2 (more while in a gap of a ground band, which is left out).
const double kCellFrames = 40 / 1.28;
const double kGravity = 0.0001;

// Frames to fall that many pixels, starting at vy px/ms.
double FallFrames(double pixels, double vy = 0) {
    if (pixels <= 0) {
        return 0;
    }
    vy = vy > 0 ? vy : 0;
    return (std::sqrt(vy * vy + 2 * kGravity * pixels) - vy) / kGravity / 16;
}

}  // namespace

RouteMap::RouteMap(const TileGrid& tileGrid, int ground) : grid(tileGrid), groundHeight(ground) {
    const int rows = TileGrid::kRows, columns = TileGrid::kColumns;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            cost[r][c] = kNever;
            step[r][c] = 0;
        }
    }
    cost[rows - 1][columns - 1] = grid.HasGround(rows - 1, columns - 1) ? 0 : kNever;
    // Few cells: relax the walks and falls until nothing improves.
    for (bool changed = true; changed;) {
        changed = false;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (!grid.HasGround(r, c)) {
                    continue;
                }
                for (int dir : {-1, 1}) {
                    const int next = c + dir;
                    const int land = next < 0 || next >= columns ? -1 : Landing(r, next);
                    if (land < 0 || cost[land][next] >= kNever) {
                        continue;
                    }
                    const double via =
                        kCellFrames + FallFrames(80.0 * (land - r)) + cost[land][next];
                    if (via + 0.5 < cost[r][c]) {
                        cost[r][c] = via;
                        step[r][c] = dir;
                        changed = true;
                    }
                }
            }
        }
    }
}

int RouteMap::Landing(int row, int column) const {
    for (int r = row; r < TileGrid::kRows; ++r) {
        if (grid.HasGround(r, column)) {
            return r;
        }
    }
    return -1;
}

bool RouteMap::Beneath(float centreX, float feetY, int& row, int& column) const {
    column = static_cast<int>(centreX) / TileGrid::kCellWidth;
    // The first ground top at or below his feet, in his column.
    int top = 0;
    while (top < TileGrid::kRows &&
           (top + 1) * TileGrid::kCellHeight - groundHeight < static_cast<int>(feetY) - 1) {
        ++top;
    }
    row = top < TileGrid::kRows && column >= 0 && column < TileGrid::kColumns ? Landing(top, column)
                                                                              : -1;
    return row >= 0 && cost[row][column] < kNever;
}

double RouteMap::FromPlayer(float centreX, float feetY, float vy) const {
    int row, column;
    if (!Beneath(centreX, feetY, row, column)) {
        return kNever;
    }
    const double top = (row + 1) * TileGrid::kCellHeight - groundHeight;
    const double falling = FallFrames(top - feetY, vy);
    // Within the cell: nearer the side he leaves by is nearer the way out;
    // in the last cell, nearer the screen's edge.
    const int dir = step[row][column] != 0 ? step[row][column] : 1;
    const double centre = column * TileGrid::kCellWidth + TileGrid::kCellWidth / 2.0;
    return cost[row][column] + falling - dir * (centreX - centre) / 1.28;
}

int RouteMap::Way(float centreX, float feetY) const {
    int row, column;
    return Beneath(centreX, feetY, row, column) && step[row][column] != 0 ? step[row][column] : 1;
}

int RouteMap::ZombiesAhead(const Snapshot& s) const {
    int row, column;
    if (!Beneath(s.x + s.width / 2.0f, s.y + s.height, row, column)) {
        return 0;
    }
    // The cells of his way: those he walks through, and those he falls by.
    bool way[TileGrid::kRows][TileGrid::kColumns] = {};
    for (int steps = 0; steps < TileGrid::kRows * TileGrid::kColumns; ++steps) {
        way[row][column] = true;
        const int next = column + step[row][column];
        if (next == column || next < 0 || next >= TileGrid::kColumns) {
            break;
        }
        const int land = Landing(row, next);
        for (int r = row; r <= land; ++r) {
            way[r][next] = true;
        }
        row = land;
        column = next;
    }
    int ahead = 0;
    for (int i = 0; i < s.zombies; ++i) {
        const int r = s.zombieRow[i];
        const int c = static_cast<int>(s.zombieX[i] + 13) / TileGrid::kCellWidth;
        if (s.Broken(i) || r < 0 || r >= TileGrid::kRows || c < 0 || c >= TileGrid::kColumns) {
            continue;
        }
        // Its pen: the cells between the turn-back marks around it.
        int from = c, to = c;
        while (from > 0 && !grid.IsTurnBack(r, from - 1)) {
            --from;
        }
        while (to < TileGrid::kColumns - 1 && !grid.IsTurnBack(r, to + 1)) {
            ++to;
        }
        bool meets = false;
        for (int cell = from; cell <= to; ++cell) {
            meets = meets || way[r][cell];
        }
        ahead += meets;
    }
    return ahead;
}
