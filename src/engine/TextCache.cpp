#include "engine/TextCache.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Kept {
    TTF_Font* font;
    Uint32 colour;
    std::string text;
    SDL_Surface* surface;
    Uint32 lastDrawn;
};

// More than any screen draws; the least recently drawn goes first.
const std::size_t kMostTexts = 64;
std::vector<Kept> g_kept;
Uint32 g_clock = 0;

}  // namespace

SDL_Surface* RenderedText(TTF_Font* font, SDL_Color colour, const char* text) {
    const Uint32 rgb = colour.r << 16 | colour.g << 8 | colour.b;
    ++g_clock;
    for (Kept& kept : g_kept) {
        if (kept.font == font && kept.colour == rgb && kept.text == text) {
            kept.lastDrawn = g_clock;
            return kept.surface;
        }
    }
    SDL_Surface* surface = TTF_RenderText_Solid(font, text, colour);
    if (!surface) {
        return nullptr;
    }
    if (g_kept.size() >= kMostTexts) {
        auto oldest = std::min_element(g_kept.begin(), g_kept.end(), [](const Kept& a, const Kept& b) {
            return a.lastDrawn < b.lastDrawn;
        });
        SDL_FreeSurface(oldest->surface);
        g_kept.erase(oldest);
    }
    g_kept.push_back({font, rgb, text, surface, g_clock});
    return surface;
}

void ForgetRenderedTexts(TTF_Font* font) {
    auto gone = std::remove_if(g_kept.begin(), g_kept.end(), [font](const Kept& kept) {
        return !font || kept.font == font;
    });
    for (auto it = gone; it != g_kept.end(); ++it) {
        SDL_FreeSurface(it->surface);
    }
    g_kept.erase(gone, g_kept.end());
}
