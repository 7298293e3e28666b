#include "gen/Canvas.h"

#include <algorithm>

Canvas::Canvas(int w, int h, int s)
    : width(w),
      height(h),
      scale(s),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * s, h * s)),
      cr(cairo_create(surface)) {
    cairo_scale(cr, s, s);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

std::vector<uint32_t> Canvas::Resolve() const {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    const int area = scale * scale;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Premultiplied sums: their ratio to the alpha sum is the mean
            // colour of the covered part, unmixed with the black around it.
            double alpha = 0, red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < scale; ++sy) {
                const uint32_t* row =
                    reinterpret_cast<const uint32_t*>(data + (y * scale + sy) * stride);
                for (int sx = 0; sx < scale; ++sx) {
                    const uint32_t p = row[x * scale + sx];
                    alpha += p >> 24;
                    red += (p >> 16) & 0xFF;
                    green += (p >> 8) & 0xFF;
                    blue += p & 0xFF;
                }
            }
            if (alpha < 128.0 * area) {
                continue;
            }
            auto channel = [alpha](double sum) {
                return static_cast<uint32_t>(std::min(255.0, sum * 255.0 / alpha + 0.5));
            };
            uint32_t rgb = channel(red) << 16 | channel(green) << 8 | channel(blue);
            if (rgb == 0) {
                rgb = 0x010101;
            }
            pixels[static_cast<size_t>(y) * width + x] = rgb;
        }
    }
    return pixels;
}

bool Canvas::SavePng(const std::string& path, bool mirror) const {
    std::vector<uint32_t> pixels = Resolve();
    if (mirror) {
        for (int y = 0; y < height; ++y) {
            std::reverse(pixels.begin() + y * width, pixels.begin() + (y + 1) * width);
        }
    }
    return WritePixels(path, pixels, width, height);
}

bool Canvas::SaveRgbaPng(const std::string& path) const {
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* c = cairo_create(out);
    cairo_scale(c, 1.0 / scale, 1.0 / scale);
    cairo_set_source_surface(c, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(c), CAIRO_FILTER_GOOD);
    cairo_paint(c);
    cairo_destroy(c);
    const bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}

bool Canvas::WritePixels(const std::string& path, const std::vector<uint32_t>& pixels, int w,
                         int h) {
    // An RGB24 surface is written as a colour-type-2 PNG: true colour, no alpha.
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_flush(out);
    unsigned char* data = cairo_image_surface_get_data(out);
    const int stride = cairo_image_surface_get_stride(out);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            row[x] = pixels[static_cast<size_t>(y) * w + x];
        }
    }
    cairo_surface_mark_dirty(out);
    const bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}
