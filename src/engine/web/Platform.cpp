// The browser's platform: emscripten's SDL layer answers for the clock, the
// mouse and the keys, the Gamepad API for a controller. Its key state is
// indexed by SDL 2 codes and its window events are SDL 2's, so both are
// told in SDL 1.2's terms here. A hidden tab and a page without the focus
// lose the keyboard as a window does on the desktop. Each frame ends by
// waiting for the browser's next animation frame, counted on Module.frames
// for the page (the time spent working since the last one is added up on
// Module.frameWorkMs).
#include "engine/Platform.h"

#include <emscripten.h>

#include <cstring>

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/Keys.h"

namespace {

// SDL 2 codes of keys without a character: scan code | 1 << 10.
int ScanKey(int scanCode) {
    return scanCode | 1 << 10;
}

// SDL 1.2 code and SDL 2 scan code of the keys without a character that
// the game asks about.
const struct {
    int key;
    int scanCode;
} kNamedKeys[] = {
    {kKeyUp, 82},       {kKeyDown, 81},      {kKeyRight, 79}, {kKeyLeft, 80},
    {kKeyLeftAlt, 226}, {kKeyRightAlt, 230}, {kKeyF11, 68},
};

Uint8 g_keys[kKeyCount];

// The first controller in the browser's standard layout, in the layout the
// desktop game gets from SDL (Gamepad.h): axes, triggers as axes, buttons.
// clang-format off
EM_JS(int, ReadStandardPad, (Sint16* axes, bool* buttons), {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    const pad = Array.from(pads).find(p => p && p.connected && p.mapping === 'standard');
    if (!pad) return 0;
    const axis = v => Math.max(-32768, Math.min(32767, Math.round(v * 32767)));
    const pressed = i => pad.buttons[i] ? pad.buttons[i].pressed : false;
    const value = i => pad.buttons[i] ? pad.buttons[i].value : 0;
    [0, 1, 2, 3].forEach(i => HEAP16[(axes >> 1) + i] = axis(pad.axes[i] || 0));
    HEAP16[(axes >> 1) + 4] = axis(value(6));
    HEAP16[(axes >> 1) + 5] = axis(value(7));
    // A B X Y Back Guide Start LeftStick RightStick LB RB Up Down Left Right
    [0, 1, 2, 3, 8, 16, 9, 10, 11, 4, 5, 12, 13, 14, 15].forEach(
        (b, i) => HEAPU8[buttons + i] = pressed(b) ? 1 : 0);
    return 1;
});
// clang-format on

// clang-format off
EM_ASYNC_JS(void, WaitForNextFrame, (), {
    Module.frameWorkMs = (Module.frameWorkMs || 0) + performance.now() - (Module.frameStart || 0);
    await new Promise(resolve => requestAnimationFrame(resolve));
    Module.frameStart = performance.now();
    Module.frames = (Module.frames || 0) + 1;
});
// clang-format on

// clang-format off
EM_JS(int, IsPageFullScreen, (), { return document.fullscreenElement ? 1 : 0; });
// clang-format on

// Window events as the desktop's: focus and visibility become the
// application's input focus.
void Translate(SDL_Event& event) {
    if (event.type != SDL_WINDOWEVENT) {
        return;
    }
    const Uint8 what = event.window.event;
    const bool lost = what == SDL_WINDOWEVENT_FOCUS_LOST || what == SDL_WINDOWEVENT_HIDDEN;
    const bool gained = what == SDL_WINDOWEVENT_FOCUS_GAINED || what == SDL_WINDOWEVENT_SHOWN;
    if (lost || gained) {
        event.type = SDL_ACTIVEEVENT;
        event.active.gain = gained;
        event.active.state = SDL_APPINPUTFOCUS;
    }
}

}  // namespace

Platform::~Platform() {}

bool Platform::PollEvent(SDL_Event& event) {
    if (SDL_PollEvent(&event) == 0) {
        return false;
    }
    Translate(event);
    return true;
}

Uint8 Platform::GetAppState() {
    // A page is never iconified: a hidden one is not given frames at all.
    return SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS;
}

Uint32 Platform::GetTicks() {
    return SDL_GetTicks();
}

DeviceState Platform::ReadDevices() {
    // The player may leave full screen with the browser's own key.
    if (g_display && g_display->GetScreen()) {
        Uint32& flags = g_display->GetScreen()->flags;
        flags = IsPageFullScreen() ? flags | SDL_FULLSCREEN : flags & ~SDL_FULLSCREEN;
    }
    DeviceState state;
    const Uint8* browserKeys = SDL_GetKeyboardState(nullptr);
    // Characters keep their codes (letters in lower case); the rest are
    // looked up by scan code.
    std::memcpy(g_keys, browserKeys, 128);
    for (const auto& named : kNamedKeys) {
        g_keys[named.key] = browserKeys[ScanKey(named.scanCode)];
    }
    state.keys = g_keys;
    state.keyCount = kKeyCount;
    state.buttons = SDL_GetMouseState(&state.mouseX, &state.mouseY);
    state.pad.present = ReadStandardPad(state.pad.axes, state.pad.buttons) != 0;
    return state;
}

void Platform::HideCursor() {
    // The page hides the pointer over the picture; SDL's layer would lock it.
}

void Platform::Delay(Uint32) {
    WaitForNextFrame();
}
