#pragma once

#include <cstddef>
#include <vector>

#include "common/LevelGrid.h"

// What a level asks of the player, at the level of cells.
//
// Zombies move as the game moves them: each keeps its row and walks from its
// column until the next TurnBack cell or the screen side, whatever ground
// there is; Walk() is the run of columns it paces.
//
// The player goes as LevelSolver says, walking and falling; once he walks
// off a ground run he cannot come back up, so a route is a short chain of
// rows: in each he lands (or starts) at one column and leaves through the
// gap at one end of his run, or at the exit. Every route is tried.
//
// A zombie reaches a route when its walk shares a cell with it: a cell he
// walks through in its row, or the column he falls through. A zombie that
// reaches him can cost a heart; three cost the level. He can still dodge
// one by timing unless it is penned across his way: it cannot be behind him
// when he lands, nor beyond the gap he leaves by (in the row he starts in,
// only a zombie that starts behind him is dodged). Those he cannot dodge he
// must break with a ball or pay for with a heart.
class LevelAnalysis {
public:
    struct Walk {
        int row;
        int from;  // leftmost column paced
        int to;    // rightmost column paced
    };

    explicit LevelAnalysis(const LevelGrid& grid);

    const std::vector<Walk>& Walks() const { return walks; }
    // Columns of walk i that have no ground: the zombie walks on air there.
    std::vector<int> AirColumns(size_t zombie) const;

    bool IsWinnable() const { return routes > 0; }
    int Routes() const { return routes; }
    // Cells of the shortest route: walked plus fallen.
    int ShortestRoute() const { return shortest; }
    // The fewest zombies that can reach any one route: 3 or more and the
    // level can be lost whichever way he takes.
    int FewestReaching() const { return fewestReaching; }
    // The fewest zombies he cannot dodge on any one route.
    int FewestUndodgeable() const { return fewestUndodgeable; }
    // At most two he must meet: he can afford them with his three hearts.
    bool WinnableWithoutThrowing() const { return IsWinnable() && fewestUndodgeable <= 2; }

private:
    struct Leg;
    void Follow(int row, int column, bool start, int length, std::vector<Leg>& legs);
    void Score(const std::vector<Leg>& legs, int length);

    const LevelGrid& grid;
    std::vector<Walk> walks;
    int routes = 0;
    int shortest = 0;
    int fewestReaching = 0;
    int fewestUndodgeable = 0;
};
