#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

// A cairo drawing surface rendered at `scale` times the output size, so that
// shapes are smooth inside, and resolved to hard-edged true colour: the game
// treats pure black as transparent and drops alpha, so every output pixel is
// either black (less than half covered) or opaque and never (0, 0, 0).
class Canvas {
public:
    Canvas(int width, int height, int scale = 4);
    ~Canvas();

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing context in output pixel units.
    cairo_t* Cr() const { return cr; }
    int Width() const { return width; }
    int Height() const { return height; }

    // 0xRRGGBB per output pixel, row by row.
    std::vector<uint32_t> Resolve() const;
    // Writes Resolve() as an RGB PNG, optionally mirrored left to right.
    bool SavePng(const std::string& path, bool mirror = false) const;
    // Writes a smooth RGBA PNG (for icons, which the game never loads).
    bool SaveRgbaPng(const std::string& path) const;

    // Writes 0xRRGGBB pixels as an RGB PNG.
    static bool WritePixels(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                            int height);

private:
    int width;
    int height;
    int scale;
    cairo_surface_t* surface;
    cairo_t* cr;
};
