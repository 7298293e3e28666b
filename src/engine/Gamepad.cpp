#include "engine/Gamepad.h"

#include <cmath>

#include "engine/Keys.h"

namespace {

// On from press upwards, off again only below release.
bool Band(bool& on, float value, float press, float release) {
    on = value >= (on ? release : press);
    return on;
}

}  // namespace

void ApplyPad(const PadState& pad, PadHeld& held, Uint8* keys, Uint8& buttons, float& aimSpeed) {
    const Sint16* axis = pad.axes;
    const bool* button = pad.buttons;
    // The left stick leans by its length, not by each axis, and then holds
    // the arrows its direction points to.
    const float x = axis[kPadLeftX], y = axis[kPadLeftY];
    const float length = std::sqrt(x * x + y * y);
    const bool leaning = Band(held.leaning, length, kStickPressed, kStickReleased);
    const float along[4] = {-x, x, -y, y};
    const int arrowKeys[4] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown};
    const int padArrows[4] = {kPadLeft, kPadRight, kPadUp, kPadDown};
    for (int i = 0; i < 4; ++i) {
        bool& arrow = held.arrows[i];
        arrow = leaning && Band(arrow, along[i] / length, kArrowPressed, kArrowReleased);
        keys[arrowKeys[i]] = keys[arrowKeys[i]] || arrow || button[padArrows[i]];
    }
    keys[kKeySpace] = keys[kKeySpace] || button[kPadA];
    keys[kKeyEscape] = keys[kKeyEscape] || button[kPadStart];
    const bool left =
        Band(held.triggers[0], axis[kPadLeftTrigger], kTriggerPressed, kTriggerReleased);
    const bool right =
        Band(held.triggers[1], axis[kPadRightTrigger], kTriggerPressed, kTriggerReleased);
    if (left || button[kPadLeftShoulder]) {
        buttons |= SDL_BUTTON(kButtonLeft);
    }
    if (right || button[kPadRightShoulder]) {
        buttons |= SDL_BUTTON(kButtonRight);
    }
    const float aim = axis[kPadRightY];
    aimSpeed = Band(held.aiming, std::fabs(aim), kStickPressed, kStickReleased)
                   ? kPadAimSpeed * aim / 32768.0f
                   : 0.0f;
}
