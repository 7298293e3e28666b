#pragma once

#include <cairo.h>

// Small drawing helpers shared by all the art: colours given as 0-255 RGB,
// outlined capsules and ellipses, and a repeatable noise source for textures.
struct Colour {
    double r, g, b;

    static Colour Rgb(int red, int green, int blue) {
        return {red / 255.0, green / 255.0, blue / 255.0};
    }
    // Multiplies brightness; above 1 lightens.
    Colour Shade(double factor) const;
    // Linear mix towards other by t (0 = this, 1 = other).
    Colour Mix(const Colour& other, double t) const;
    void Use(cairo_t* cr, double alpha = 1.0) const;
};

// The dark outline every figure and prop is drawn with (never pure black).
extern const Colour kInk;

// A round-capped bar from (x0, y0) to (x1, y1), its outline `outline` wide on
// each side (0: none).
void Capsule(cairo_t* cr, double x0, double y0, double x1, double y1, double width,
             const Colour& fill, double outline = 0.8, const Colour& ink = kInk);
// A filled ellipse with an outline.
void Blob(cairo_t* cr, double cx, double cy, double rx, double ry, const Colour& fill,
          double outline = 0.8, const Colour& ink = kInk);
// Fills the current path, then strokes its outline, and clears the path.
void FillAndOutline(cairo_t* cr, const Colour& fill, double outline = 0.8,
                    const Colour& ink = kInk);

// Deterministic pseudo-random numbers, so the art is the same on every build.
class Noise {
public:
    explicit Noise(unsigned seed) : state(seed * 2654435761u + 12345u) {}
    // Uniform in [0, 1).
    double Next();
    // Uniform in [low, high).
    double Range(double low, double high) { return low + (high - low) * Next(); }

private:
    unsigned state;
};
