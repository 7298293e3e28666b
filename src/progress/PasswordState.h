#pragma once

#include "engine/GameState.h"

// Placeholder until password entry lands: returns to the menu.
class PasswordState : public GameState {
public:
    PasswordState();
    void Update() override;
};
