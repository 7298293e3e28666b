#include "gen/Paint.h"

#include <algorithm>
#include <cmath>

const Colour kInk = Colour::Rgb(20, 14, 28);

Colour Colour::Shade(double factor) const {
    if (factor <= 1.0) {
        return {r * factor, g * factor, b * factor};
    }
    const double t = std::min(1.0, factor - 1.0);
    return Mix({1.0, 1.0, 1.0}, t);
}

Colour Colour::Mix(const Colour& other, double t) const {
    return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
}

void Colour::Use(cairo_t* cr, double alpha) const {
    cairo_set_source_rgba(cr, r, g, b, alpha);
}

void Capsule(cairo_t* cr, double x0, double y0, double x1, double y1, double width,
             const Colour& fill, double outline, const Colour& ink) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (outline > 0) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_set_line_width(cr, width + 2 * outline);
        ink.Use(cr);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width);
    fill.Use(cr);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Blob(cairo_t* cr, double cx, double cy, double rx, double ry, const Colour& fill,
          double outline, const Colour& ink) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    FillAndOutline(cr, fill, outline, ink);
}

void FillAndOutline(cairo_t* cr, const Colour& fill, double outline, const Colour& ink) {
    fill.Use(cr);
    if (outline > 0) {
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2 * outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        ink.Use(cr);
        cairo_stroke(cr);
    } else {
        cairo_fill(cr);
    }
}

double Noise::Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state & 0xFFFFFF) / 16777216.0;
}
