#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

// Texts rendered once and kept: SDL_ttf renders a text glyph by glyph (the
// browser's layer makes and measures a canvas for it), while the menus and
// the score draw the same texts frame after frame. Null when the text
// cannot be rendered (an empty one, say). The surface stays the cache's.
SDL_Surface* RenderedText(TTF_Font* font, SDL_Color colour, const char* text);

// Frees the texts of a font about to close, or all texts for null.
void ForgetRenderedTexts(TTF_Font* font);
