#pragma once

#include <SDL_ttf.h>

#include <string>

// One TrueType font at one point size, owned by the screen that opened it.
class Font {
public:
    explicit Font(TTF_Font* font);
    // Opened from the bytes of its file, which it keeps: the font reads
    // them as it draws. GetFont is null when they hold no font.
    Font(std::string bytes, int pointSize);
    ~Font();

    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    TTF_Font* GetFont() const { return font; }

private:
    TTF_Font* font;
    std::string bytes;
};
