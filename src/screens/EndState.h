#pragma once

#include "engine/GameState.h"

class Sprite;

// Shown after the last level: silences the music and waits for Space,
// which takes the final score to the high-score entry.
class EndState : public GameState {
public:
    explicit EndState(int score);
    void Update() override;

    int GetScore() const { return score; }

private:
    Sprite* image;
    int score;
};
