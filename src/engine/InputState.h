#pragma once

#include <SDL.h>

// Keyboard and mouse as of the start of the current frame, with the previous
// frame's state kept for edge questions. Screens never read SDL directly.
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
};
