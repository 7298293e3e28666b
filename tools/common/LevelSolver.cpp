#include "common/LevelSolver.h"

#include <algorithm>
#include <deque>

LevelSolver::LevelSolver(const LevelGrid& levelGrid) : grid(levelGrid), reached() {
    if (grid.Starts().empty()) {
        return;
    }
    // The game places the player at the last start pixel in scan order.
    const LevelGrid::Cell start = grid.Starts().back();
    const int startRow = Settle(start.row, start.column);
    if (startRow < 0) {
        return;
    }
    LevelGrid::Cell parent[LevelGrid::kRows][LevelGrid::kColumns];
    std::deque<LevelGrid::Cell> queue;
    reached[startRow][start.column] = true;
    parent[startRow][start.column] = {-1, -1};
    queue.push_back({startRow, start.column});
    const LevelGrid::Cell exit = {LevelGrid::kRows - 1, LevelGrid::kColumns - 1};
    while (!queue.empty()) {
        const LevelGrid::Cell here = queue.front();
        queue.pop_front();
        if (here.row == exit.row && here.column == exit.column) {
            for (LevelGrid::Cell cell = here; cell.row >= 0; cell = parent[cell.row][cell.column]) {
                route.push_back(cell);
            }
            std::reverse(route.begin(), route.end());
            return;
        }
        for (int step : {-1, 1}) {
            const int column = here.column + step;
            if (column < 0 || column >= LevelGrid::kColumns) {
                continue;
            }
            const int row = Settle(here.row, column);
            if (row < 0 || reached[row][column]) {
                continue;
            }
            reached[row][column] = true;
            parent[row][column] = here;
            queue.push_back({row, column});
        }
    }
}

int LevelSolver::Settle(int row, int column) const {
    for (int r = row; r < LevelGrid::kRows; ++r) {
        if (grid.HasGround(r, column)) {
            return r;
        }
    }
    return -1;
}
