#pragma once

#include <string>

// The fields of a PNG file's header chunk, read straight from the file
// without decoding it.
struct PngHeader {
    enum ColourType { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colourType = -1;

    // False when the file cannot be read or does not start like a PNG.
    bool Read(const std::string& path);
    bool IsTrueColour() const { return colourType == Rgb || colourType == Rgba; }
    std::string ColourTypeName() const;
};
