#pragma once

class TileGrid;
struct Snapshot;

// How far the player is from the way out, in frames of 16 ms, for the bot
// to try the most promising games first. A map of cells, not the rules: he
// stands on the ground of a cell, walks to the next one in his row and,
// where it has none, falls down its column to the first ground below. The
// way out is the ground of the bottom row's last cell.
class RouteMap {
public:
    static constexpr double kNever = 1e9;

    RouteMap(const TileGrid& grid, int groundHeight);

    // From a player whose centre is at x and feet at y, standing or in the
    // air at vy (he comes down in the column he is in).
    double FromPlayer(float centreX, float feetY, float vy) const;

    // The way on from there: -1 left, 1 right.
    int Way(float centreX, float feetY) const;
    // The zombies still walking whose pens (the cells between the turn-back
    // marks around them) meet his way out from where he is: each will cost
    // him a ball or a heart, unless he gets by it while it walks away.
    int ZombiesAhead(const Snapshot& game) const;

private:
    // The row whose ground catches a figure falling from row down column;
    // -1 when none does.
    int Landing(int row, int column) const;
    // The cell whose ground he stands on or comes down on; false when he
    // falls out of the level, or lands where there is no way out.
    bool Beneath(float centreX, float feetY, int& row, int& column) const;

    const TileGrid& grid;
    int groundHeight;
    double cost[6][16];
    int step[6][16];  // the best way on: -1 left, 1 right, 0 the way out
};
