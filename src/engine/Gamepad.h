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

// Each threshold is a band, so that a unit of noise at it neither presses
// nor lets go: a stick counts once it leans a quarter of its way and until
// it is back within an eighth, a trigger from half down to a quarter.
const float kStickPressed = 8192.0f;
const float kStickReleased = 4096.0f;
const float kTriggerPressed = 16384.0f;
const float kTriggerReleased = 8192.0f;
// The left stick holds each arrow within 60 degrees of its direction (two
// arrows between 30 and 60), and lets go past 70 (the cosines).
const float kArrowPressed = 0.5f;
const float kArrowReleased = 0.342f;
// The right stick moves the aim point at up to this many pixels a
// millisecond, as a hand moves the mouse.
const float kPadAimSpeed = 0.5f;

// What the controller held in the last frame, which the bands go by.
struct PadHeld {
    bool leaning = false;  // the left stick
    bool arrows[4] = {};   // left, right, up, down from the left stick
    bool triggers[2] = {};
    bool aiming = false;  // the right stick
};

// What the controller stands for on the keyboard and the mouse: it holds
// down keys (an array of at least kKeyCount) and mouse buttons (SDL's mask),
// and gives the speed at which the aim point moves, downwards positive.
// The D-pad and the left stick are the arrows, A is Space, Start is Escape,
// the right trigger or shoulder the right button (a fast throw), the left
// ones the left button. held carries the bands from frame to frame.
void ApplyPad(const PadState& pad, PadHeld& held, Uint8* keys, Uint8& buttons, float& aimSpeed);
