// The host of the game. StartUp brings SDL up, makes the four engine objects
// and pushes the splash screen. Each frame of the loop drains SDL's events,
// then (while the window is active) hides the cursor, takes the input
// snapshot, advances the frame clock, carries out the player's switches
// (full screen, sound) and updates the front screen once; a screen pushed
// during a frame first runs in the next one. A frame that took less than a
// display's refresh waits out the rest, so that where presenting does not
// wait for the display the loop does not spin; an iconified window, which
// runs nothing, waits as long. The time step is measured as ever. The loop
// ends when the window is closed or the stack has emptied, and ShutDown tears
// down in the reverse order of creation.
#include "engine/Engine.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/CommandLine.h"
#include "engine/DataFile.h"
#include "engine/Display.h"
#include "engine/GameState.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/Platform.h"
#include "engine/ResourceManager.h"
#include "engine/SoundSystem.h"
#include "engine/StateStack.h"
#include "progress/Settings.h"
#include "screens/SplashState.h"

namespace {

const Uint32 kLongestFrame = 100;
const Uint32 kStallFrame = 33;
// About a display's refresh at 75 Hz: a loop in step with a 60 Hz display
// never waits here.
const Uint32 kShortestFrame = 13;

// The player's choices as they stand, written back when switched. A
// window asked for on the command line is no choice of the player's.
Settings g_settings;

// SDL's own platform, when StartUp was given none.
Platform* g_sdlPlatform = nullptr;

// Iconifying takes the focus too, and SDL may tell the loss a frame or more
// before the iconify, which freezes the game without a pause menu. So a
// loss opens the pause menu only once it has stood this long, over at
// least two frames, the window still shown.
const Uint32 kFocusGraceMs = 100;
const int kFocusGraceFrames = 2;
struct {
    bool pending = false;
    Uint32 since = 0;
    int frames = 0;
} g_focusLoss;

// The window manager takes the icon only when the window is made, so it is
// set before the video mode. Without a readable icon the window has none.
void SetWindowIcon(const char* path) {
    std::string bytes;
    SDL_RWops* file = ReadDataFile(path, kMaxAssetBytes, bytes) ? StreamOver(bytes) : nullptr;
    SDL_Surface* icon = file ? IMG_Load_RW(file, 1) : nullptr;
    if (icon) {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }
}

// Without a screen SDL falls back to a driver that draws nowhere, and the
// game would run on unseen. Only a user who names a driver gets one (an
// empty name asks for none).
bool HasDisplay() {
    char name[32];
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if ((asked && *asked) || !SDL_VideoDriverName(name, sizeof name)) {
        return true;
    }
    return std::strcmp(name, "offscreen") != 0 && std::strcmp(name, "dummy") != 0;
}

// sdl12-compat reads these when it makes the window: crisp scaled pixels
// and the window's scale. A value the user set stands, but for an asked-for
// scale.
void AskForTheWindow(int scale) {
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    if (scale > 0 || !std::getenv("SDL12COMPAT_WINDOW_SCALING")) {
        const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
        if (scale <= 0) {
            scale = desktop ? WindowScale(desktop->current_w, desktop->current_h) : 1;
        }
        setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 1);
    }
}

// F11 or Alt+Enter switch between full screen and a window, M the sound;
// each choice is kept for the next start.
void CarryOutSwitches() {
    const bool alt = g_input->IsKeyDown(kKeyLeftAlt) || g_input->IsKeyDown(kKeyRightAlt);
    const bool altEnter = alt && g_input->IsKeyPressed(kKeyReturn);
    if ((g_input->IsKeyPressed(kKeyF11) || altEnter) &&
        g_display->SetFullScreen(!g_display->IsFullScreen())) {
        if (altEnter) {
            g_input->Swallow(kKeyReturn);  // the switch's own, it chooses nothing
        }
        g_settings.fullScreen = g_display->IsFullScreen();
        SaveSettings(g_settings);
    }
    GameState* front = g_states.Front();
    if (g_input->IsKeyPressed(kKeyM) && !(front && front->TakesLetters())) {
        g_settings.muted = !g_settings.muted;
        g_sound->SetMuted(g_settings.muted);
        SaveSettings(g_settings);
    }
}

}  // namespace

int WindowScale(int desktopWidth, int desktopHeight) {
    // Nine tenths of the desktop leave room for panels and the frame.
    int scale = std::min(desktopWidth * 9 / (640 * 10), desktopHeight * 9 / (480 * 10));
    return std::clamp(scale, 1, kLargestScale);
}

bool StartUp(const Settings& remembered, int scale, Platform* platform, int fullScreen) {
    // Read when SDL starts: presenting in step with the display, and a game
    // controller in one fixed layout. A value the user set, either way, stands.
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", "1", 0);
    setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 0);
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
    g_focusLoss = {};
    g_settings = remembered;
    AskForTheWindow(scale);
    SetWindowIcon("gdat\\icon.png");
    g_display = new Display(640, 480, fullScreen < 0 ? remembered.fullScreen : fullScreen == 1);
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
    if (remembered.muted) {
        g_sound->SetMuted(true);
    }
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
                if (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) {
                    // Only the focus lost alone counts; anything else ends a wait.
                    const bool alone = !event.active.gain && !(event.active.state & SDL_APPACTIVE);
                    g_focusLoss = {alone, g_platform->GetTicks(), 0};
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
        CarryOutSwitches();
        if (GameState* front = g_states.Front()) {
            if (g_focusLoss.pending && ++g_focusLoss.frames >= kFocusGraceFrames &&
                g_lastTicks - g_focusLoss.since >= kFocusGraceMs) {
                g_focusLoss.pending = false;
                front->FocusLost();
            }
            front->Update();
        }
        quit = quit || g_states.Empty();
        const Uint32 spent = g_platform->GetTicks() - g_lastTicks;
        g_platform->Delay(spent < kShortestFrame ? kShortestFrame - spent : 0);
    } else {
        // Iconified: nothing runs or shows, so wait instead of spinning a core.
        g_platform->Delay(kShortestFrame);
    }
    return !quit;
}

void RunFrameLoop(bool reportFrames) {
    // The splash frame's loading is no frame of play: counting starts after it.
    bool going = RunFrame();
    Uint32 frames = 0;
    Uint32 since = g_platform->GetTicks();
    while (going && RunFrame()) {
        ++frames;
        const Uint32 now = g_platform->GetTicks();
        if (reportFrames && now - since >= 1000) {
            std::fprintf(stderr, "quonkle: %u frames in %u ms, %.1f ms a frame\n", frames,
                         now - since, static_cast<double>(now - since) / frames);
            frames = 0;
            since = now;
        }
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
