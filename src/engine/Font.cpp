#include "engine/Font.h"

#include <utility>

#include "engine/DataFile.h"
#include "engine/TextCache.h"

Font::Font(TTF_Font* font) : font(font) {}

Font::Font(std::string fileBytes, int pointSize) : font(nullptr), bytes(std::move(fileBytes)) {
    if (SDL_RWops* file = StreamOver(bytes)) {
        font = TTF_OpenFontRW(file, 1, pointSize);
    }
}

Font::~Font() {
    if (font) {
        ForgetRenderedTexts(font);
        TTF_CloseFont(font);
    }
}
