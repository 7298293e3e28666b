#include "gen/TextArt.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

TextArt::TextArt(const std::string& fontPath) : library(nullptr), face(nullptr), fontFace(nullptr) {
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return;
    }
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        face = nullptr;
        return;
    }
    fontFace = cairo_ft_font_face_create_for_ft_face(face, 0);
}

TextArt::~TextArt() {
    if (fontFace) {
        cairo_font_face_destroy(fontFace);
    }
    if (face) {
        FT_Done_Face(face);
    }
    if (library) {
        FT_Done_FreeType(library);
    }
}

void TextArt::Use(cairo_t* cr, double size) const {
    if (fontFace) {
        cairo_set_font_face(cr, fontFace);
    }
    cairo_set_font_size(cr, size);
}

double TextArt::Measure(cairo_t* cr, const std::string& text, double size) const {
    cairo_save(cr);
    Use(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void TextArt::CentredBox(cairo_t* cr, const std::string& text, double cx, double y, double size,
                         double margin, double box[4]) const {
    cairo_save(cr);
    Use(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    box[0] = cx - extents.x_advance / 2 + extents.x_bearing - margin;
    box[1] = y + extents.y_bearing - margin;
    box[2] = extents.width + 2 * margin;
    box[3] = extents.height + 2 * margin;
}

void TextArt::Centred(cairo_t* cr, const std::string& text, double cx, double y, double size,
                      const Colour& fill, double outline, double shadow) const {
    At(cr, text, cx - Measure(cr, text, size) / 2, y, size, fill, outline, shadow);
}

void TextArt::At(cairo_t* cr, const std::string& text, double x, double y, double size,
                 const Colour& fill, double outline, double shadow) const {
    cairo_save(cr);
    Use(cr, size);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (shadow > 0) {
        cairo_move_to(cr, x + shadow, y + shadow);
        cairo_text_path(cr, text.c_str());
        kInk.Use(cr);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2 * outline);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    if (outline > 0) {
        cairo_set_line_width(cr, 2 * outline);
        kInk.Use(cr);
        cairo_stroke_preserve(cr);
    }
    fill.Use(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

void TextArt::Title(cairo_t* cr, const std::string& text, double cx, double y, double size,
                    const Colour& top, const Colour& bottom, double outline) const {
    const double x = cx - Measure(cr, text, size) / 2;
    cairo_save(cr);
    Use(cr, size);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Deep shadow, thick outline, then the gradient face with a bright rim.
    cairo_move_to(cr, x + size * 0.05, y + size * 0.06);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_width(cr, 2 * outline);
    kInk.Use(cr);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_width(cr, 2 * outline);
    kInk.Use(cr);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y - size * 0.75, 0, y);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    cairo_restore(cr);
}
