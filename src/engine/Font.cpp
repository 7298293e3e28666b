#include "engine/Font.h"

Font::Font(TTF_Font* font) : font(font) {}

Font::~Font() {
    if (font) {
        TTF_CloseFont(font);
    }
}
