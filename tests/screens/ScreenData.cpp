#include "screens/ScreenData.h"

#include <SDL_ttf.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "engine/Globals.h"
#include "engine/SoundSystem.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

const char* const kTestFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Opaque pixels of the text rendered as the display renders it.
SDL_Surface* RenderText(const TempGameDir& dir, int pointSize, const std::string& text) {
    TTF_Font* font = TTF_OpenFont(dir.File("gdat\\anglepoi.ttf").c_str(), pointSize);
    if (!font) {
        return nullptr;
    }
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* surface = TTF_RenderText_Solid(font, text.c_str(), white);
    TTF_CloseFont(font);
    return surface;
}

bool Opaque(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels)[y * surface->pitch + x] != 0;
}

}  // namespace

void WritePicture(const TempGameDir& dir, const std::string& name, int width, int height,
                  Uint32 rgb) {
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    SDL_FillRect(image, nullptr,
                 SDL_MapRGB(image->format, rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    SDL_SaveBMP(image, dir.File(name).c_str());
    SDL_FreeSurface(image);
    dir.ListSprite(name);
}

void WritePlainScreenData(const TempGameDir& dir) {
    mkdir(dir.File("gdat").c_str(), 0755);
    // Black is the transparent colour: the background is nearly black.
    WritePicture(dir, "gdat\\background.png", 640, 480, kBackgroundRgb);
    WritePicture(dir, "gdat\\menutitle.png", 640, 480, 0);
    WritePicture(dir, "gdat\\start.png", 640, 480, kStartRgb);
    WritePicture(dir, "gdat\\g_over.png", 640, 480, kGameOverRgb);
    WritePicture(dir, "gdat\\end.png", 640, 480, kEndRgb);
    std::ifstream font(kTestFont, std::ios::binary);
    std::ofstream copy(dir.File("gdat\\anglepoi.ttf"), std::ios::binary);
    copy << font.rdbuf();
}

int TextPixels(const TempGameDir& dir, int pointSize, const std::string& text) {
    SDL_Surface* glyphs = RenderText(dir, pointSize, text);
    if (!glyphs) {
        return -1;
    }
    int count = 0;
    for (int y = 0; y < glyphs->h; ++y) {
        for (int x = 0; x < glyphs->w; ++x) {
            count += Opaque(glyphs, x, y) ? 1 : 0;
        }
    }
    SDL_FreeSurface(glyphs);
    return count;
}

bool ShowsText(const HeadlessDriver& driver, const TempGameDir& dir, int pointSize, int x, int y,
               const std::string& text, Uint32 rgb) {
    SDL_Surface* glyphs = RenderText(dir, pointSize, text);
    if (!glyphs) {
        return false;
    }
    int count = 0;
    bool matches = true;
    for (int gy = 0; gy < glyphs->h && y + gy < 480; ++gy) {
        for (int gx = 0; gx < glyphs->w && x + gx < 640; ++gx) {
            if (Opaque(glyphs, gx, gy)) {
                ++count;
                matches = matches && driver.PixelAt(x + gx, y + gy) == rgb;
            }
        }
    }
    // Room for one more glyph on the right: a longer text does not match.
    int width = std::min(glyphs->w + pointSize, 640 - x);
    int height = std::min(glyphs->h, 480 - y);
    SDL_FreeSurface(glyphs);
    return matches && driver.CountColour(rgb, x, y, width, height) == count;
}

TestMusic::TestMusic() : samples(22050 * 4, 0x40), chunk(nullptr) {
    if (!g_sound || !g_sound->IsOpen()) {
        return;
    }
    chunk = Mix_QuickLoad_RAW(samples.data(), static_cast<Uint32>(samples.size()));
    if (chunk && Mix_PlayChannel(0, chunk, -1) != 0) {
        Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

TestMusic::~TestMusic() {
    if (chunk) {
        Mix_HaltChannel(0);
        Mix_FreeChunk(chunk);
    }
}
