#include "engine/Display.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <string>

#include "engine/BareX.h"
#include "engine/DataFile.h"
#include "engine/Font.h"
#include "engine/Sprite.h"
#include "engine/TextCache.h"

const SDL_Color kWhite = {255, 255, 255, 0};
const SDL_Color kGrey = {128, 128, 128, 0};

Display::Display(int width, int height, bool fullScreen)
    : screen(SDL_SetVideoMode(width, height, 32, fullScreen ? SDL_FULLSCREEN : 0)),
      ttfReady(TTF_Init() == 0),
      presenting(true) {
    if (screen && fullScreen) {
        CoverTheScreenIfNoWindowManager();
    }
}

Display::~Display() {
    ForgetRenderedTexts(nullptr);
    if (ttfReady) {
        TTF_Quit();
    }
}

bool Display::SetFullScreen(bool on) {
    if (!screen || (on != IsFullScreen() && SDL_WM_ToggleFullScreen(screen) == 0)) {
        return false;
    }
    if (on) {
        CoverTheScreenIfNoWindowManager();
    }
    return true;
}

void Display::Flip() {
    ++flips;
    if (presenting) {
        SDL_UpdateRect(screen, 0, 0, 0, 0);
    }
}

Sprite* Display::LoadSprite(const char* path, Uint32 colourKey) {
    std::string bytes;
    SDL_RWops* file = ReadDataFile(path, kMaxAssetBytes, bytes) ? StreamOver(bytes) : nullptr;
    SDL_Surface* image = file ? IMG_Load_RW(file, 1) : nullptr;
    if (!image) {
        return nullptr;
    }
    if (image->format->palette) {
        // The key is a pixel value: for palette and grey images it would name
        // a palette index, not black. Keying them in true colour keeps black
        // transparent for every image.
        SDL_Surface* trueColour =
            SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        if (trueColour) {
            SDL_BlitSurface(image, nullptr, trueColour, nullptr);
        }
        SDL_FreeSurface(image);
        image = trueColour;
        if (!image) {
            return nullptr;
        }
    }
    SDL_SetColorKey(image, SDL_SRCCOLORKEY, colourKey);
    SDL_Surface* copy = SDL_DisplayFormat(image);
    SDL_FreeSurface(image);
    if (!copy) {
        return nullptr;
    }
    return new Sprite(copy);
}

Font* Display::LoadFont(const char* path, int pointSize) {
    std::string bytes;
    if (!ReadDataFile(path, kMaxAssetBytes, bytes)) {
        return nullptr;
    }
    Font* font = new Font(std::move(bytes), pointSize);
    if (!font->GetFont()) {
        delete font;
        return nullptr;
    }
    return font;
}
