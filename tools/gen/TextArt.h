#pragma once

#include <cairo.h>

#include <string>

#include "gen/Paint.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// Lettering for the pictures, in the same TrueType font the game uses for its
// own text, so titles and menus match.
class TextArt {
public:
    explicit TextArt(const std::string& fontPath);
    ~TextArt();

    TextArt(const TextArt&) = delete;
    TextArt& operator=(const TextArt&) = delete;

    bool IsReady() const { return face != nullptr; }

    // Width of text at size.
    double Measure(cairo_t* cr, const std::string& text, double size) const;
    // The inked box of text centred on cx with its baseline at y, grown by
    // margin on every side (for outlines and shadows): x, y, width, height.
    void CentredBox(cairo_t* cr, const std::string& text, double cx, double y, double size,
                    double margin, double box[4]) const;
    // Text centred on cx with its baseline at y, filled, outlined and with a
    // drop shadow (shadow 0: none).
    void Centred(cairo_t* cr, const std::string& text, double cx, double y, double size,
                 const Colour& fill, double outline, double shadow = 0) const;
    // The same starting at x.
    void At(cairo_t* cr, const std::string& text, double x, double y, double size,
            const Colour& fill, double outline, double shadow = 0) const;
    // Big title lettering with a vertical gradient from top to bottom colour.
    void Title(cairo_t* cr, const std::string& text, double cx, double y, double size,
               const Colour& top, const Colour& bottom, double outline) const;

private:
    void Use(cairo_t* cr, double size) const;

    FT_Library library;
    FT_Face face;
    cairo_font_face_t* fontFace;
};
