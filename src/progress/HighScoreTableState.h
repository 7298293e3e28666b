#pragma once

#include "engine/GameState.h"

// Placeholder until the table lands: returns to the menu.
class HighScoreTableState : public GameState {
public:
    HighScoreTableState();
    void Update() override;
};
