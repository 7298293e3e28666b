#pragma once

#include "engine/GameState.h"

// Placeholder until name entry lands: returns to the menu, as for a score that does not qualify.
class HighScoreEntryState : public GameState {
public:
    explicit HighScoreEntryState(int score);
    void Update() override;
};
