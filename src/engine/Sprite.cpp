#include "engine/Sprite.h"

Sprite::Sprite(SDL_Surface* surface) : surface(surface) {}

Sprite::~Sprite() {
    SDL_FreeSurface(surface);
}
