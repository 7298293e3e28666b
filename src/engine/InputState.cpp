#include "engine/InputState.h"

#include <algorithm>
#include <cstring>

InputState::InputState()
    : previousKeys(nullptr),
      currentKeys(nullptr),
      keyCount(0),
      previousMouseX(0),
      previousMouseY(0),
      previousButtons(0),
      mouseX(0),
      mouseY(0),
      buttons(0) {
    SDL_GetKeyState(&keyCount);
    // SDL 1.2 key symbols run up to SDLK_LAST; keep room for all of them
    // even if the back end reports fewer.
    keyCount = std::max(keyCount, static_cast<int>(SDLK_LAST));
    previousKeys = new Uint8[keyCount]();
    currentKeys = new Uint8[keyCount]();
}

InputState::~InputState() {
    delete[] previousKeys;
    delete[] currentKeys;
}

void InputState::Refresh() {
    int sdlKeyCount = 0;
    const Uint8* sdlKeys = SDL_GetKeyState(&sdlKeyCount);
    int x = 0;
    int y = 0;
    Uint8 sdlButtons = SDL_GetMouseState(&x, &y);
    KeepPrevious();
    // SDL reports at most what it knows; keys past its count stay up.
    int known = sdlKeys ? std::min(sdlKeyCount, keyCount) : 0;
    std::memcpy(currentKeys, sdlKeys, known);
    std::memset(currentKeys + known, 0, keyCount - known);
    TakeMouse(x, y, sdlButtons);
}

void InputState::SetState(const Uint8* keys, int x, int y, Uint8 newButtons) {
    KeepPrevious();
    if (keys) {
        std::memcpy(currentKeys, keys, keyCount);
    } else {
        std::memset(currentKeys, 0, keyCount);
    }
    TakeMouse(x, y, newButtons);
}

void InputState::KeepPrevious() {
    std::memcpy(previousKeys, currentKeys, keyCount);
    previousMouseX = mouseX;
    previousMouseY = mouseY;
    previousButtons = buttons;
}

void InputState::TakeMouse(int x, int y, Uint8 newButtons) {
    // The back end can report one past the window's edge.
    mouseX = std::clamp(x, 0, 639);
    mouseY = std::clamp(y, 0, 479);
    buttons = newButtons;
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
