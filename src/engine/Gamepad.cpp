#include "engine/Gamepad.h"

#include "engine/Keys.h"

void ApplyPad(const PadState& pad, Uint8* keys, Uint8& buttons, float& aimSpeed) {
    const Sint16* axis = pad.axes;
    const bool* button = pad.buttons;
    auto hold = [keys](int key, bool down) { keys[key] = keys[key] || down; };
    hold(kKeyLeft, button[kPadLeft] || axis[kPadLeftX] <= -kStickDeadZone);
    hold(kKeyRight, button[kPadRight] || axis[kPadLeftX] >= kStickDeadZone);
    hold(kKeyUp, button[kPadUp] || axis[kPadLeftY] <= -kStickDeadZone);
    hold(kKeyDown, button[kPadDown] || axis[kPadLeftY] >= kStickDeadZone);
    hold(kKeySpace, button[kPadA]);
    hold(kKeyEscape, button[kPadStart]);
    if (button[kPadLeftShoulder] || axis[kPadLeftTrigger] >= kTriggerPressed) {
        buttons |= SDL_BUTTON(kButtonLeft);
    }
    if (button[kPadRightShoulder] || axis[kPadRightTrigger] >= kTriggerPressed) {
        buttons |= SDL_BUTTON(kButtonRight);
    }
    const Sint16 aim = axis[kPadRightY];
    aimSpeed = aim > -kStickDeadZone && aim < kStickDeadZone ? 0.0f : kPadAimSpeed * aim / 32768.0f;
}
