#pragma once

#include "engine/GameState.h"

class Sprite;

// Shown when the last heart is lost: silences the music and waits for Space,
// which takes the final score to the high-score entry.
class GameOverState : public GameState {
public:
    explicit GameOverState(int score);
    void Update() override;

    int GetScore() const { return score; }

private:
    Sprite* image;
    int score;
};
