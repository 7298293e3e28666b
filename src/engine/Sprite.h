#pragma once

#include <SDL.h>

// One image in the display's pixel format, black transparent. Immutable.
class Sprite {
public:
    explicit Sprite(SDL_Surface* surface);
    virtual ~Sprite();

    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    SDL_Surface* GetSurface() const { return surface; }
    int GetWidth() const { return surface->w; }
    int GetHeight() const { return surface->h; }

private:
    SDL_Surface* surface;
};
