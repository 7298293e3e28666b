#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gen/Canvas.h"
#include "support/GameFolder.h"

// Levels drawn as in data/levels (P start, Z zombie, T TurnBack, # ground).
// In kPlain he drops at column 5 to a zombie pacing the bottom row.
const std::vector<std::string> kPlain = {
    ".P..............", "#####...........", "................", "................",
    "................", "................", "................", "................",
    "................", "................", "T....Z.........T", "################"};

inline std::vector<std::string> With(std::vector<std::string> rows,
                                     std::initializer_list<std::pair<int, const char*>> lines) {
    for (const auto& line : lines) {
        rows[line.first] = line.second;
    }
    return rows;
}

// Writes rows as the PNG gdat\<name> of dir, '.' in the colour given and any
// other character black; a new name is listed in the sprite manifest.
inline void WriteImage(const GameFolder& dir, const std::string& name,
                       const std::vector<std::string>& rows, uint32_t colour = 0) {
    const std::string figures = "PZT#";
    const uint32_t colours[] = {0x00FF00, 0xFF0000, 0xFFFFFF, 0x0000FF};
    std::vector<uint32_t> pixels;
    for (const std::string& row : rows) {
        for (char ch : row) {
            const auto at = figures.find(ch);
            pixels.push_back(at != std::string::npos ? colours[at] : ch == '.' ? colour : 0);
        }
    }
    if (!dir.Exists("gdat\\" + name)) {
        dir.ListSprite("gdat\\" + name);
    }
    dir.Remove("gdat\\" + name);
    ASSERT_TRUE(Canvas::WritePixels(dir.File("gdat\\" + name), pixels,
                                    static_cast<int>(rows[0].size()),
                                    static_cast<int>(rows.size())));
}
