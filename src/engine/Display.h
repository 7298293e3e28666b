#pragma once

#include <SDL.h>

class Sprite;
class Font;

// The one video surface: fill, blit, text, present, and the loaders that
// need the video mode. Missing sprites and fonts draw nothing.
class Display {
public:
    Display(int width, int height, bool fullScreen);
    virtual ~Display();

    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // False when the video mode or SDL_ttf failed to come up.
    bool IsReady() const { return screen != nullptr && ttfReady; }
    SDL_Surface* GetScreen() const { return screen; }

    void Fill(Uint32 pixel);
    void Blit(Sprite* sprite, Sint16 x, Sint16 y);
    void DrawText(Font* font, Sint16 x, Sint16 y, SDL_Color colour, const char* text);
    void Flip();
    bool IsFullScreen() const { return screen && (screen->flags & SDL_FULLSCREEN); }
    // Switches between full screen and a window; false when the back end
    // cannot, and nothing changed.
    bool SetFullScreen(bool on);
    // Benchmarks measure a screen's own work without the back end's present.
    void SetPresenting(bool on) { presenting = on; }
    // Pictures the screens have finished (Flip calls), for the tests.
    unsigned FlipCount() const { return flips; }

    Sprite* LoadSprite(const char* path, Uint32 colourKey);
    Font* LoadFont(const char* path, int pointSize);

private:
    SDL_Surface* screen;
    bool ttfReady;
    bool presenting;
    unsigned flips = 0;
};

// Text colours of the menus.
extern const SDL_Color kWhite;
extern const SDL_Color kGrey;
