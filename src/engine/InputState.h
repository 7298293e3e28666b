#pragma once

#include <SDL.h>

#include "engine/Gamepad.h"

// Keyboard and mouse as of the start of the current frame, with the previous
// frame's state kept for edge questions. Screens never read SDL directly.
// A game controller, when there is one, holds down the keys and buttons it
// stands for (Gamepad.h), and its right stick moves the mouse's height until
// the mouse itself moves again.
class InputState {
public:
    InputState();
    virtual ~InputState();

    InputState(const InputState&) = delete;
    InputState& operator=(const InputState&) = delete;

    // Takes a new snapshot of the devices from g_platform.
    void Refresh();

    bool IsKeyDown(int key) const;
    bool IsKeyPressed(int key) const;
    int GetMouseX() const { return mouseX; }
    int GetMouseY() const { return mouseY; }
    bool IsButtonPressed(int button) const;

    int KeyCount() const { return keyCount; }
    bool HasPad() const { return hasPad; }
    // The key reads as held since the last frame: a press used up before the
    // screens see it (the Return of Alt+Enter).
    void Swallow(int key);

private:
    Uint8* previousKeys;
    Uint8* currentKeys;
    int keyCount;
    int previousMouseX;
    int previousMouseY;
    Uint8 previousButtons;
    int mouseX;
    int mouseY;
    Uint8 buttons;
    bool hasPad;
    // The mouse as the system last reported it, and the height the right
    // stick moved the aim to since.
    int systemMouseX;
    int systemMouseY;
    bool padAiming;
    float padAimY;
    PadHeld padHeld;
};
