// The browser's display: emscripten's SDL layer draws on the page's canvas,
// a sprite is a canvas of its own, and text goes through the browser's font
// engine. That layer ignores colour keys and keeps a canvas's pixels as
// RGBA, so a sprite is prepared once when it loads: its black pixels are
// made transparent on its canvas, and its pixel memory is given the
// desktop's display format (0x00RRGGBB, black 0) for the code that reads
// it (level pictures, the pixel test of hits).
#include "engine/Display.h"

#include <SDL_ttf.h>
#include <emscripten.h>


#include "engine/Font.h"
#include "engine/HostPath.h"
#include "engine/Sprite.h"
#include "engine/TextCache.h"

// stb_image, which emscripten builds in (STB_IMAGE).
extern "C" {
unsigned char* stbi_load(const char* file, int* width, int* height, int* channels, int wanted);
void stbi_image_free(void* data);
}

const SDL_Color kWhite = {255, 255, 255, 0};
const SDL_Color kGrey = {128, 128, 128, 0};

namespace {

// The page itself goes full screen (it letterboxes the picture); only a key
// or click of the player's may ask for it, which F11 and Alt+Enter are.
// clang-format off
EM_JS(int, AskForFullScreen, (bool on), {
    if (!document.fullscreenEnabled) return 0;
    const asked = on ? document.documentElement.requestFullscreen()
                     : (document.fullscreenElement ? document.exitFullscreen() : null);
    if (asked) asked.catch(() => {});
    return 1;
});
// clang-format on

// A font is known to the browser by the name TTF_OpenFont keeps, so the
// game's own file is registered under its path. False if it is missing or
// no font.
// clang-format off
EM_ASYNC_JS(int, RegisterFont, (const char* path), {
    const name = UTF8ToString(path);
    Module.fontsRegistered = Module.fontsRegistered || {};
    if (!Module.fontsRegistered[name]) {
        try {
            const face = new FontFace(name, FS.readFile(name));
            await face.load();
            document.fonts.add(face);
            Module.fontsRegistered[name] = true;
        } catch (e) {
            return 0;
        }
    }
    return 1;
});
// clang-format on

// Shows a sprite's picture (RGBA) on its canvas. The sprite then stays
// locked: the layer would otherwise copy the canvas back into the pixel
// memory at the next lock, or the memory onto the canvas at the next
// unlock, and the two hold the picture in different forms.
// clang-format off
EM_JS(void, ShowOnCanvas, (SDL_Surface* surface, const Uint8* rgba), {
    const sprite = SDL.surfaces[surface];
    const picture = sprite.ctx.createImageData(sprite.width, sprite.height);
    picture.data.set(HEAPU8.subarray(rgba, rgba + picture.data.length));
    sprite.ctx.putImageData(picture, 0, 0);
    sprite.locked = 1;
});
// clang-format on

}  // namespace

Display::Display(int width, int height, bool)
    // A page starts in its window: the browser allows full screen only
    // after a key or a click.
    : screen(SDL_SetVideoMode(width, height, 32, 0)), ttfReady(TTF_Init() == 0), presenting(true) {}

Display::~Display() {
    ForgetRenderedTexts(nullptr);
    if (ttfReady) {
        TTF_Quit();
    }
}

bool Display::SetFullScreen(bool on) {
    return screen && on != IsFullScreen() && AskForFullScreen(on);
}

void Display::Flip() {
    // The screen is the page's canvas: what is drawn shows.
    ++flips;
}

Sprite* Display::LoadSprite(const char* path, Uint32) {
    // Decoded from its file by name (stb_image, which emscripten's layer
    // decodes with too), straight into the two forms.
    int width = 0;
    int height = 0;
    int channels = 0;
    Uint8* rgba = stbi_load(HostPath(path).c_str(), &width, &height, &channels, 4);
    if (!rgba) {
        return nullptr;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (surface) {
        // Keyed on black, the key the game passes; any other colour is
        // opaque, as in the desktop's format without alpha.
        Uint32* pixels = static_cast<Uint32*>(surface->pixels);
        for (int i = 0; i < width * height; ++i) {
            Uint8* pixel = rgba + 4 * i;
            pixels[i] = pixel[0] << 16 | pixel[1] << 8 | pixel[2];
            pixel[3] = pixels[i] ? 255 : 0;
        }
        ShowOnCanvas(surface, rgba);
    }
    stbi_image_free(rgba);
    return surface ? new Sprite(surface) : nullptr;
}

Font* Display::LoadFont(const char* path, int pointSize) {
    const std::string name = HostPath(path);
    if (!RegisterFont(name.c_str())) {
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFont(name.c_str(), pointSize);
    return font ? new Font(font) : nullptr;
}
