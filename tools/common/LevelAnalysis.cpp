#include "common/LevelAnalysis.h"

#include <algorithm>
#include <cstdlib>

namespace {

const int kLastRow = LevelGrid::kRows - 1;
const int kLastColumn = LevelGrid::kColumns - 1;

}  // namespace

// One row of a route: he is in `row` from column `enter` to column `leave`.
// A fall passes a row in one column; the exit leg ends at the exit cell.
struct LevelAnalysis::Leg {
    enum Kind { Walking, Falling, Exit };
    Kind kind;
    int row;
    int enter;
    int leave;
    bool start;  // the row he starts in: the zombies stand where the level put them
};

LevelAnalysis::LevelAnalysis(const LevelGrid& levelGrid) : grid(levelGrid) {
    for (const LevelGrid::Cell& zombie : grid.Zombies()) {
        // A zombie's own cell holds no TurnBack mark: one pixel says one thing.
        Walk walk = {zombie.row, zombie.column, zombie.column};
        while (walk.from > 0 && !grid.IsTurnBack(walk.row, walk.from - 1)) {
            --walk.from;
        }
        while (walk.to < kLastColumn && !grid.IsTurnBack(walk.row, walk.to + 1)) {
            ++walk.to;
        }
        walks.push_back(walk);
    }
    if (grid.Starts().empty()) {
        return;
    }
    // The game places the player at the last start pixel in scan order, with
    // his feet at his row's ground level, and he drops from there.
    const LevelGrid::Cell start = grid.Starts().back();
    std::vector<Leg> legs;
    for (int row = start.row; row <= kLastRow; ++row) {
        if (grid.HasGround(row, start.column)) {
            Follow(row, start.column, true, row - start.row, legs);
            return;
        }
        legs.push_back({Leg::Falling, row, start.column, start.column, false});
    }
}

std::vector<int> LevelAnalysis::AirColumns(size_t zombie) const {
    std::vector<int> air;
    const Walk& walk = walks[zombie];
    for (int column = walk.from; column <= walk.to; ++column) {
        if (!grid.HasGround(walk.row, column)) {
            air.push_back(column);
        }
    }
    return air;
}

void LevelAnalysis::Follow(int row, int column, bool start, int length, std::vector<Leg>& legs) {
    int left = column, right = column;
    while (grid.HasGround(row, left - 1)) {
        --left;
    }
    while (grid.HasGround(row, right + 1)) {
        ++right;
    }
    if (row == kLastRow && right == kLastColumn) {
        legs.push_back({Leg::Exit, row, column, kLastColumn, start});
        Score(legs, length + kLastColumn - column);
        legs.pop_back();
    }
    for (const int gap : {left - 1, right + 1}) {
        if (gap < 0 || gap > kLastColumn) {
            continue;
        }
        const size_t mark = legs.size();
        legs.push_back({Leg::Walking, row, column, gap, start});
        for (int below = row + 1; below <= kLastRow; ++below) {
            if (grid.HasGround(below, gap)) {
                Follow(below, gap, false, length + std::abs(gap - column) + below - row, legs);
                break;
            }
            legs.push_back({Leg::Falling, below, gap, gap, false});
        }
        legs.resize(mark);
    }
}

void LevelAnalysis::Score(const std::vector<Leg>& legs, int length) {
    int reaching = 0, undodgeable = 0;
    for (size_t i = 0; i < walks.size(); ++i) {
        const Walk& walk = walks[i];
        const int home = grid.Zombies()[i].column;
        for (const Leg& leg : legs) {
            const int low = std::min(leg.enter, leg.leave), high = std::max(leg.enter, leg.leave);
            if (leg.row != walk.row || walk.to < low || walk.from > high) {
                continue;
            }
            ++reaching;
            // Can it be somewhere he is not going: behind him as he comes
            // in, or beyond where he leaves?
            const bool rightwards = leg.leave >= leg.enter;
            bool dodge;
            if (leg.kind == Leg::Falling) {
                dodge = walk.from < leg.enter || walk.to > leg.enter;
            } else if (leg.start) {
                dodge = rightwards ? home < leg.enter : home > leg.enter;
            } else {
                dodge = rightwards ? walk.from < leg.enter : walk.to > leg.enter;
            }
            if (!dodge && leg.kind == Leg::Walking && !leg.start) {
                dodge = rightwards ? walk.to > leg.leave : walk.from < leg.leave;
            }
            undodgeable += dodge ? 0 : 1;
        }
    }
    if (routes == 0 || length < shortest) {
        shortest = length;
    }
    if (routes == 0 || reaching < fewestReaching) {
        fewestReaching = reaching;
    }
    if (routes == 0 || undodgeable < fewestUndodgeable) {
        fewestUndodgeable = undodgeable;
    }
    ++routes;
}
