// The host of the game. StartUp brings SDL up, makes the four engine objects
// and pushes the splash screen. Each frame of the loop drains SDL's events,
// then (while the window is active) hides the cursor, takes the input
// snapshot, advances the frame clock and updates the front screen once; a
// screen pushed during a frame first runs in the next one. The loop ends when
// the window is closed or the stack has emptied, and ShutDown tears down in
// the reverse order of creation.
#include "engine/Engine.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/Display.h"
#include "engine/GameState.h"
#include "engine/Globals.h"
#include "engine/HostPath.h"
#include "engine/InputState.h"
#include "engine/Platform.h"
#include "engine/ResourceManager.h"
#include "engine/SoundSystem.h"
#include "engine/StateStack.h"
#include "screens/SplashState.h"

namespace {

const Uint32 kLongestFrame = 100;
const Uint32 kStallFrame = 33;

// SDL's own platform, when StartUp was given none.
Platform* g_sdlPlatform = nullptr;

// The window manager takes the icon only when the window is made, so it is
// set before the video mode. Without a readable icon the window has none.
void SetWindowIcon(const char* path) {
    if (SDL_Surface* icon = IMG_Load(HostPath(path).c_str())) {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }
}

// Without a screen SDL falls back to a driver that draws nowhere, and the
// game would run on unseen. Only a user who names a driver gets one.
bool HasDisplay() {
    char name[32];
    if (std::getenv("SDL_VIDEODRIVER") || !SDL_VideoDriverName(name, sizeof name)) {
        return true;
    }
    return std::strcmp(name, "offscreen") != 0 && std::strcmp(name, "dummy") != 0;
}

}  // namespace

bool StartUp(bool fullScreen, Platform* platform) {
    if (SDL_Init(SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "quonkle: SDL could not start: %s\n", SDL_GetError());
        return false;
    }
    const bool video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!video || !HasDisplay()) {
        std::fprintf(stderr, "quonkle: no display to open a window on (is DISPLAY set?)%s%s\n",
                     video ? "" : ": ", video ? "" : SDL_GetError());
        SDL_Quit();
        return false;
    }
    if (!platform) {
        platform = g_sdlPlatform = new Platform();
    }
    g_platform = platform;
    SetWindowIcon("gdat\\icon.png");
    g_display = new Display(640, 480, fullScreen);
    if (!g_display->GetScreen()) {
        std::fprintf(stderr, "quonkle: the 640x480 video mode could not be set: %s\n",
                     SDL_GetError());
        ShutDown();
        return false;
    }
    if (!g_display->IsReady()) {
        std::fprintf(stderr, "quonkle: SDL_ttf could not start: %s\n", TTF_GetError());
        ShutDown();
        return false;
    }
    g_resources = new ResourceManager("gdat\\sprites.txt", "sdat\\sounds.txt");
    g_input = new InputState();
    g_sound = new SoundSystem();
    SDL_WM_SetCaption("Quonkle", nullptr);
    PushState(new SplashState());
    return true;
}

void AdvanceFrameClock(Uint32 now) {
    g_frameDelta = now - g_lastTicks;
    g_lastTicks = now;
    if (g_frameDelta > kLongestFrame) {
        g_frameDelta = kStallFrame;
    }
}

bool RunFrame() {
    bool quit = false;
    SDL_Event event;
    while (g_platform->PollEvent(event)) {
        switch (event.type) {
            case SDL_QUIT:
                quit = true;  // the frame still runs to its end
                break;
            case SDL_VIDEORESIZE:
                g_lastTicks = g_platform->GetTicks();
                break;
            case SDL_ACTIVEEVENT:
                if (event.active.state == SDL_APPMOUSEFOCUS) {
                    g_platform->HideCursor();
                }
                break;
            default:
                break;
        }
    }
    if (g_platform->GetAppState() & SDL_APPACTIVE) {
        g_platform->HideCursor();
        g_input->Refresh();
        AdvanceFrameClock(g_platform->GetTicks());
        if (GameState* front = g_states.Front()) {
            front->Update();
        }
        quit = quit || g_states.Empty();
        g_platform->Delay(0);
    }
    return !quit;
}

void RunFrameLoop() {
    while (RunFrame()) {
    }
}

void ShutDown() {
    g_states.Clear();
    delete g_sound;
    g_sound = nullptr;
    delete g_input;
    g_input = nullptr;
    delete g_resources;
    g_resources = nullptr;
    delete g_display;
    g_display = nullptr;
    delete g_sdlPlatform;  // closes the controller while SDL still runs
    g_sdlPlatform = nullptr;
    g_platform = nullptr;
    SDL_Quit();
}
