#include "engine/InputState.h"

#include <algorithm>
#include <cstring>

#include "engine/Gamepad.h"
#include "engine/Globals.h"
#include "engine/Keys.h"
#include "engine/Platform.h"

InputState::InputState()
    : previousKeys(nullptr),
      currentKeys(nullptr),
      keyCount(kKeyCount),
      previousMouseX(0),
      previousMouseY(0),
      previousButtons(0),
      mouseX(0),
      mouseY(0),
      buttons(0),
      hasPad(false),
      systemMouseX(-1),
      systemMouseY(-1),
      padAiming(false),
      padAimY(0.0f) {
    previousKeys = new Uint8[keyCount]();
    currentKeys = new Uint8[keyCount]();
}

InputState::~InputState() {
    delete[] previousKeys;
    delete[] currentKeys;
}

void InputState::Refresh() {
    const DeviceState now = g_platform->ReadDevices();
    std::memcpy(previousKeys, currentKeys, keyCount);
    previousMouseX = mouseX;
    previousMouseY = mouseY;
    previousButtons = buttons;
    // The back end reports at most what it knows; keys past its count stay up.
    int known = now.keys ? std::min(now.keyCount, keyCount) : 0;
    if (known > 0) {
        std::memcpy(currentKeys, now.keys, known);
    }
    std::memset(currentKeys + known, 0, keyCount - known);
    // It can also report one past the window's edge.
    mouseX = std::clamp(now.mouseX, 0, 639);
    mouseY = std::clamp(now.mouseY, 0, 479);
    buttons = now.buttons;
    if (mouseX != systemMouseX || mouseY != systemMouseY) {
        systemMouseX = mouseX;
        systemMouseY = mouseY;
        padAiming = false;
        padAimY = static_cast<float>(mouseY);
    }
    hasPad = now.pad.present;
    if (!hasPad) {
        padHeld = PadHeld();
    } else {
        float aimSpeed = 0.0f;
        ApplyPad(now.pad, padHeld, currentKeys, buttons, aimSpeed);
        if (aimSpeed != 0.0f) {
            padAiming = true;
            padAimY =
                std::clamp(padAimY + aimSpeed * static_cast<float>(g_frameDelta), 0.0f, 479.0f);
        }
    }
    if (padAiming) {
        mouseY = static_cast<int>(padAimY);
    }
}

void InputState::Swallow(int key) {
    if (key >= 0 && key < keyCount) {
        previousKeys[key] = currentKeys[key];
    }
}

bool InputState::IsKeyDown(int key) const {
    return key >= 0 && key < keyCount && currentKeys[key] != 0;
}

bool InputState::IsKeyPressed(int key) const {
    return key >= 0 && key < keyCount && currentKeys[key] != 0 && previousKeys[key] == 0;
}

bool InputState::IsButtonPressed(int button) const {
    if (button < 1 || button > 8) {
        return false;
    }
    Uint8 mask = static_cast<Uint8>(1u << (button - 1));
    return (buttons & mask) != 0 && (previousButtons & mask) == 0;
}
