#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/LevelGrid.h"

// A level as written in data/levels/*.txt: a few "key: value" header lines,
// then 12 lines of 16 characters, one per pixel of the 16 x 12 level image.
// Lines starting with ';' are comments. Legend:
//   even lines (0, 2, ... 10), the object rows:  . nothing   P player start
//                                                Z zombie    T TurnBack mark
//   odd lines (1, 3, ... 11), the ground rows:   . gap       # ground
// Headers: "password: NNNNNN" (required, six digits), "title: ..." (optional),
// "air: meant" (optional: its zombies walk over gaps on purpose).
class LevelText {
public:
    static constexpr int kImageWidth = 16;
    static constexpr int kImageHeight = 12;

    // False with a message naming the line when the text is not a level.
    bool Parse(const std::string& text, std::string& error);

    const std::string& Password() const { return password; }
    const std::string& Title() const { return title; }
    bool AirMeant() const { return airMeant; }
    // 0xRRGGBB of pixel (x, y) of the level image.
    uint32_t Pixel(int x, int y) const;
    LevelGrid Grid() const;

private:
    std::string password;
    std::string title;
    bool airMeant = false;
    std::vector<std::string> rows;
};
