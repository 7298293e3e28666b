#include "BenchFloor.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/Sprite.h"

namespace {

Sprite* MakeFullScreenSprite() {
    SDL_Surface* screen = g_display->GetScreen();
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, screen->format->Rmask,
                                                screen->format->Gmask, screen->format->Bmask, 0);
    SDL_Surface* converted = SDL_DisplayFormat(surface);
    SDL_FreeSurface(surface);
    SDL_FillRect(converted, nullptr, SDL_MapRGB(converted->format, 40, 60, 90));
    SDL_SetColorKey(converted, SDL_SRCCOLORKEY, 0);
    return new Sprite(converted);
}

}  // namespace

void FloorWork() {
    static Sprite* sprite = MakeFullScreenSprite();
    g_display->Fill(0xFF000000);
    g_display->Blit(sprite, 0, 0);
}

namespace {

double MeasureFloor() {
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        auto begin = std::chrono::steady_clock::now();
        const int kFrames = 200;
        for (int i = 0; i < kFrames; ++i) {
            FloorWork();
        }
        std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - begin;
        runs.push_back(spent.count() / kFrames);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

double FloorNanoseconds() {
    static const double floor = MeasureFloor();
    return floor;
}

FloorRatio::~FloorRatio() {
    double iterations =
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    double ns = std::chrono::duration<double, std::nano>(total).count() / iterations;
    state.counters["ns"] = ns;
    state.counters["x_floor"] = ns / FloorNanoseconds();
}

DeviceState BenchPlatform::ReadDevices() {
    DeviceState state;
    state.mouseX = 320;
    state.mouseY = 200;
    return state;
}

BenchPlatform g_benchPlatform;
