#include "gen/PropArt.h"

#include <cmath>
#include <string>

#include "gen/AssetWriter.h"
#include "gen/Canvas.h"
#include "gen/Paint.h"

namespace {

const Colour kEarth = Colour::Rgb(104, 72, 52);
const Colour kGrass = Colour::Rgb(86, 168, 70);
const Colour kBone = Colour::Rgb(236, 228, 200);

// Turf on earth, filling the whole tile: the top row is solid from edge to
// edge, since ground_a's pixels are the ground every figure stands on.
void DrawTurf(cairo_t* cr, unsigned seed) {
    const double w = PropArt::kGroundWidth, h = PropArt::kGroundHeight;
    cairo_pattern_t* soil = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(soil, 0, kEarth.r * 1.1, kEarth.g * 1.1, kEarth.b * 1.1);
    cairo_pattern_add_color_stop_rgb(soil, 1, kEarth.r * 0.55, kEarth.g * 0.55, kEarth.b * 0.6);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, soil);
    cairo_fill(cr);
    cairo_pattern_destroy(soil);
    Noise noise(seed);
    // Clods and grit.
    for (int i = 0; i < 22; ++i) {
        const double x = noise.Range(0, w), y = noise.Range(5, h - 1);
        const double shade = noise.Range(0.6, 1.25);
        Blob(cr, x, y, noise.Range(0.5, 1.3), noise.Range(0.4, 0.9), kEarth.Shade(shade), 0);
    }
    // Grass band with blades hanging over the earth.
    cairo_rectangle(cr, 0, 0, w, 3.2);
    kGrass.Use(cr);
    cairo_fill(cr);
    for (double x = 0.5; x < w; x += noise.Range(1.2, 2.2)) {
        const double len = noise.Range(2.0, 4.5);
        Capsule(cr, x, 2.0, x + noise.Range(-0.8, 0.8), 2.0 + len, 1.1,
                kGrass.Shade(noise.Range(0.65, 1.0)), 0);
    }
    cairo_rectangle(cr, 0, 0, w, 1.0);
    kGrass.Shade(1.3).Use(cr);
    cairo_fill(cr);
    // A dark rim at the bottom keeps a run of tiles crisp against the sky.
    cairo_rectangle(cr, 0, h - 1.0, w, 1.0);
    Colour::Rgb(40, 26, 22).Use(cr);
    cairo_fill(cr);
}

void DrawStone(cairo_t* cr, double x, double y, double rx, double ry) {
    Blob(cr, x, y, rx, ry, Colour::Rgb(130, 128, 138), 0.5);
    Blob(cr, x - rx * 0.3, y - ry * 0.35, rx * 0.45, ry * 0.3, Colour::Rgb(176, 176, 186), 0);
}

void DrawHeartPath(cairo_t* cr, double cx, double top, double w, double h) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx, top + h);
    cairo_curve_to(cr, cx - w * 0.15, top + h * 0.8, cx - w * 0.5, top + h * 0.55, cx - w * 0.5,
                   top + h * 0.3);
    cairo_curve_to(cr, cx - w * 0.5, top + h * 0.02, cx - w * 0.1, top - h * 0.05, cx,
                   top + h * 0.22);
    cairo_curve_to(cr, cx + w * 0.1, top - h * 0.05, cx + w * 0.5, top + h * 0.02, cx + w * 0.5,
                   top + h * 0.3);
    cairo_curve_to(cr, cx + w * 0.5, top + h * 0.55, cx + w * 0.15, top + h * 0.8, cx, top + h);
    cairo_close_path(cr);
}

}  // namespace

void PropArt::WriteGround() {
    const char* names[] = {"ground_a.png", "ground_b.png", "ground_c.png", "ground_d.png"};
    for (int kind = 0; kind < 4; ++kind) {
        Canvas canvas(kGroundWidth, kGroundHeight);
        cairo_t* cr = canvas.Cr();
        DrawTurf(cr, 11 + kind * 17);
        // Kind 2 (ground_b) is half of all tiles, so it is the plainest;
        // ground_a, the collision shape, is only drawn for kind 1.
        switch (kind) {
            case 1:  // a few tufts of darker grass
                for (double x : {6.0, 21.0, 33.0}) {
                    Blob(cr, x, 7.5, 2.2, 1.2, kEarth.Shade(0.7), 0);
                }
                break;
            case 2:  // pebbles
                DrawStone(cr, 8, 9.5, 3.2, 2.2);
                DrawStone(cr, 27, 11, 2.4, 1.7);
                DrawStone(cr, 33.5, 7.5, 1.6, 1.2);
                break;
            case 3:  // a buried bone and a tiny skull among roots
                cairo_set_line_width(cr, 1.0);
                Colour::Rgb(70, 46, 34).Use(cr);
                cairo_move_to(cr, 24, 4);
                cairo_curve_to(cr, 27, 8, 31, 6, 36, 13);
                cairo_stroke(cr);
                for (double end : {4.5, 15.5}) {
                    Blob(cr, end, 8.6, 1.4, 1.1, kBone, 0.5);
                    Blob(cr, end, 10.6, 1.4, 1.1, kBone, 0.5);
                }
                Capsule(cr, 4.5, 9.6, 15.5, 9.6, 1.7, kBone, 0);
                Blob(cr, 28, 10.5, 3.0, 2.6, kBone, 0.5);
                Blob(cr, 27, 10.3, 0.7, 0.8, kInk, 0);
                Blob(cr, 29.2, 10.3, 0.7, 0.8, kInk, 0);
                Capsule(cr, 27.2, 12.6, 29.0, 12.6, 0.5, kInk, 0);
                break;
            default:
                break;
        }
        writer.SaveSprite(canvas, names[kind]);
    }
}

void PropArt::WriteHeart() {
    Canvas canvas(kHeartWidth, kHeartHeight);
    cairo_t* cr = canvas.Cr();
    DrawHeartPath(cr, 10, 1.2, 17.5, 15.6);
    cairo_pattern_t* fill = cairo_pattern_create_radial(7, 5, 1, 10, 8, 11);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1.0, 0.45, 0.5);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.72, 0.05, 0.12);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_set_line_width(cr, 1.5);
    kInk.Use(cr);
    cairo_stroke(cr);
    Blob(cr, 6.2, 5.4, 2.0, 1.4, Colour::Rgb(255, 210, 215), 0);
    writer.SaveSprite(canvas, "heart.png");
}

void PropArt::WriteBall() {
    // A stitched ball, lit from the upper left: a shaded sphere, not a flat
    // disc, with its two red seams curving round it.
    Canvas canvas(kBallSize, kBallSize, 8);
    cairo_t* cr = canvas.Cr();
    const double c = kBallSize / 2.0;
    cairo_arc(cr, c, c, c - 0.55, 0, 2 * M_PI);
    cairo_pattern_t* fill = cairo_pattern_create_radial(c - 1.6, c - 1.8, 0.3, c, c, c);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(fill, 0.55, 0.86, 0.87, 0.9);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.5, 0.52, 0.62);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_set_line_width(cr, 1.0);
    kInk.Use(cr);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.0);
    Colour::Rgb(214, 40, 40).Use(cr);
    cairo_arc(cr, c - 6.2, c, 4.6, -0.75, 0.75);
    cairo_stroke(cr);
    cairo_arc_negative(cr, c + 6.2, c, 4.6, M_PI + 0.75, M_PI - 0.75);
    cairo_stroke(cr);
    writer.SaveSprite(canvas, "ball.png");
}

void PropArt::WriteCrosshair() {
    Canvas canvas(kCrosshairSize, kCrosshairSize);
    cairo_t* cr = canvas.Cr();
    const double c = kCrosshairSize / 2.0;
    for (int pass = 0; pass < 2; ++pass) {
        const double width = pass == 0 ? 2.4 : 1.1;
        (pass == 0 ? kInk : Colour::Rgb(255, 244, 150)).Use(cr);
        cairo_set_line_width(cr, width);
        cairo_arc(cr, c, c, 3.3, 0, 2 * M_PI);
        cairo_stroke(cr);
        for (int i = 0; i < 4; ++i) {
            const double a = i * M_PI / 2;
            cairo_move_to(cr, c + std::cos(a) * 1.2, c + std::sin(a) * 1.2);
            cairo_line_to(cr, c + std::cos(a) * 5.0, c + std::sin(a) * 5.0);
        }
        cairo_stroke(cr);
    }
    writer.SaveSprite(canvas, "crosshair.png");
}
