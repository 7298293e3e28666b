#pragma once

#include <SDL_ttf.h>

// One TrueType font at one point size, owned by the screen that opened it.
class Font {
public:
    explicit Font(TTF_Font* font);
    ~Font();

    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    TTF_Font* GetFont() const { return font; }

private:
    TTF_Font* font;
};
