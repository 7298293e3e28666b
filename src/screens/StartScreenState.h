#pragma once

#include "engine/GameState.h"

// Placeholder until the start screen lands: returns to the menu.
class StartScreenState : public GameState {
public:
    StartScreenState();
    void Update() override;
};
