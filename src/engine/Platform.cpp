#include "engine/Platform.h"

#include <cstdlib>

#include "engine/Gamepad.h"

namespace {

// Nothing pressed, the sticks and triggers at rest.
bool HoldsNothing(const PadState& pad) {
    for (bool button : pad.buttons) {
        if (button) {
            return false;
        }
    }
    for (Sint16 axis : pad.axes) {
        if (std::abs(axis) >= kStickReleased) {
            return false;
        }
    }
    return true;
}

}  // namespace

Platform::~Platform() {
    // After SDL_Quit, which has closed it already.
    if (pad && SDL_WasInit(SDL_INIT_JOYSTICK)) {
        SDL_JoystickClose(pad);
    }
}

bool Platform::PollEvent(SDL_Event& event) {
    return SDL_PollEvent(&event) != 0;
}

Uint8 Platform::GetAppState() {
    return SDL_GetAppState();
}

Uint32 Platform::GetTicks() {
    return SDL_GetTicks();
}

DeviceState Platform::ReadDevices() {
    DeviceState state;
    state.keys = SDL_GetKeyState(&state.keyCount);
    state.buttons = SDL_GetMouseState(&state.mouseX, &state.mouseY);
    if (pad) {
        SDL_JoystickUpdate();
        PadState& p = state.pad;
        p.present = true;
        for (int i = 0; i < PadState::kAxes && i < SDL_JoystickNumAxes(pad); ++i) {
            p.axes[i] = SDL_JoystickGetAxis(pad, i);
        }
        for (int i = 0; i < PadState::kButtons && i < SDL_JoystickNumButtons(pad); ++i) {
            p.buttons[i] = SDL_JoystickGetButton(pad, i) != 0;
        }
    }
    // SDL 1.2 lists controllers only when its joysticks start, and says
    // nothing of one pulled out, which reads as centred and released. So
    // while there is none, or the one there holds nothing, they start anew
    // every two seconds (a millisecond's work): a controller plugged in
    // later, or pulled out and plugged in again, plays.
    const Uint32 now = SDL_GetTicks();
    if ((!pad || HoldsNothing(state.pad)) && (!padSearched || now - padSearched >= kPadSearchMs)) {
        padSearched = now ? now : 1;
        if (pad) {
            SDL_JoystickClose(pad);
            pad = nullptr;
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0 && SDL_NumJoysticks() > 0) {
            pad = SDL_JoystickOpen(0);
        }
    }
    return state;
}

void Platform::HideCursor() {
    SDL_ShowCursor(SDL_DISABLE);
}

void Platform::Delay(Uint32 milliseconds) {
    SDL_Delay(milliseconds);
}
