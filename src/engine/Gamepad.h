#pragma once

#include <SDL.h>

#include "engine/Platform.h"

// sdl12-compat's fixed layout of a game controller: the buttons and axes in
// SDL's game controller order, whatever the make of the pad.
enum PadButton {
    kPadA = 0,
    kPadB,
    kPadX,
    kPadY,
    kPadBack,
    kPadGuide,
    kPadStart,
    kPadLeftStick,
    kPadRightStick,
    kPadLeftShoulder,
    kPadRightShoulder,
    kPadUp,
    kPadDown,
    kPadLeft,
    kPadRight,
};
enum PadAxis {
    kPadLeftX = 0,
    kPadLeftY,
    kPadRightX,
    kPadRightY,
    kPadLeftTrigger,
    kPadRightTrigger
};

// A stick counts from a quarter of its way; a trigger from half.
const Sint16 kStickDeadZone = 8192;
const Sint16 kTriggerPressed = 16384;
// The right stick moves the aim point at up to this many pixels a
// millisecond, as a hand moves the mouse.
const float kPadAimSpeed = 0.5f;

// What the controller stands for on the keyboard and the mouse: it holds
// down keys (an array of at least kKeyCount) and mouse buttons (SDL's mask),
// and gives the speed at which the aim point moves, downwards positive.
// The D-pad and the left stick are the arrows, A is Space, Start is Escape,
// the right trigger or shoulder the right button (a fast throw), the left
// ones the left button.
void ApplyPad(const PadState& pad, Uint8* keys, Uint8& buttons, float& aimSpeed);
