// What the desktop's display and the browser's draw alike: a fill, a
// sprite, a text, all onto the screen surface.
#include <SDL_ttf.h>

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Sprite.h"
#include "engine/TextCache.h"

void Display::Fill(Uint32 pixel) {
    SDL_FillRect(screen, nullptr, pixel);
}

void Display::Blit(Sprite* sprite, Sint16 x, Sint16 y) {
    if (!sprite) {
        return;
    }
    SDL_Rect source = {0, 0, static_cast<Uint16>(sprite->GetWidth()),
                       static_cast<Uint16>(sprite->GetHeight())};
    SDL_Rect destination = {x, y, 0, 0};
    SDL_UpperBlit(sprite->GetSurface(), &source, screen, &destination);
}

void Display::DrawText(Font* font, Sint16 x, Sint16 y, SDL_Color colour, const char* text) {
    // Nothing for an empty text (the browser's layer would draw a blank).
    if (!font || !font->GetFont() || !text || !*text) {
        return;
    }
    SDL_Surface* rendered = RenderedText(font->GetFont(), colour, text);
    if (!rendered) {
        return;
    }
    SDL_Rect destination = {x, y, 0, 0};
    SDL_UpperBlit(rendered, nullptr, screen, &destination);
}
