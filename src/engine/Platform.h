#pragma once

#include <SDL.h>

// The first game controller, in the fixed layout sdl12-compat gives one:
// axes left x, left y, right x, right y, left trigger, right trigger; buttons
// in the game controller order (see Gamepad.h).
struct PadState {
    static constexpr int kAxes = 6;
    static constexpr int kButtons = 15;
    bool present = false;
    Sint16 axes[kAxes] = {};
    bool buttons[kButtons] = {};
};

// The devices as of one moment: SDL's key-state array (keyCount entries, or
// null), the mouse and its button mask, the controller.
struct DeviceState {
    const Uint8* keys = nullptr;
    int keyCount = 0;
    int mouseX = 0;
    int mouseY = 0;
    Uint8 buttons = 0;
    PadState pad;
};

// Everything the frame loop asks of the system: events, the application's
// state, the clock and the devices. The game's own answers from SDL; a test
// answers with ticks and input of its own through the same calls.
class Platform {
public:
    virtual ~Platform();
    virtual bool PollEvent(SDL_Event& event);
    virtual Uint8 GetAppState();
    virtual Uint32 GetTicks();
    virtual DeviceState ReadDevices();
    virtual void HideCursor();
    virtual void Delay(Uint32 milliseconds);

private:
    static constexpr Uint32 kPadSearchMs = 2000;
    SDL_Joystick* pad = nullptr;
    Uint32 padSearched = 0;  // when SDL was last asked for a controller
};
