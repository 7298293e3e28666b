#pragma once

#include <cstdint>
#include <vector>

// The 16 x 6 cells of one level as the game builds them from a level image:
// ground, TurnBack marks, the player's start and the zombies' cells.
class LevelGrid {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 16;
    // Pixel values of a level image, 0xRRGGBB.
    static constexpr uint32_t kStartColour = 0x00FF00;
    static constexpr uint32_t kZombieColour = 0xFF0000;
    static constexpr uint32_t kTurnBackColour = 0xFFFFFF;
    static constexpr uint32_t kGroundColour = 0x0000FF;
    // A white first pixel in image row 12, below the rows the game reads,
    // says that the level's zombies walk over gaps on purpose.
    static constexpr int kAirMarkRow = 12;

    struct Cell {
        int row;
        int column;
    };

    LevelGrid();

    // Reads the 16 x 12 pixels the game reads: object rows 2r, ground rows
    // 2r + 1. pixel(x, y) returns 0xRRGGBB.
    template <typename PixelFn>
    static LevelGrid FromPixels(PixelFn pixel) {
        LevelGrid grid;
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                grid.SetObjectPixel(r, c, pixel(c, 2 * r));
                grid.SetGroundPixel(r, c, pixel(c, 2 * r + 1));
            }
        }
        return grid;
    }

    void SetObjectPixel(int row, int column, uint32_t rgb);
    void SetGroundPixel(int row, int column, uint32_t rgb);

    // Out-of-grid cells have no ground, as in the game.
    bool HasGround(int row, int column) const;
    bool IsTurnBack(int row, int column) const;
    // Whether the level's zombies walk over gaps on purpose. The game never
    // reads it: a level image carries it in a row below the 12 the game reads.
    bool AirMeant() const { return airMeant; }
    void SetAirMeant(bool meant) { airMeant = meant; }
    const std::vector<Cell>& Starts() const { return starts; }
    const std::vector<Cell>& Zombies() const { return zombies; }

private:
    bool ground[kRows][kColumns];
    bool turnBack[kRows][kColumns];
    std::vector<Cell> starts;
    std::vector<Cell> zombies;
    bool airMeant = false;
};
