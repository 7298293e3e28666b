#pragma once

#include "engine/GameState.h"

class Sprite;

// Opened by "New Game": shows the start picture until Space starts a new
// game at the first level of levels.txt with a score of 0.
class StartScreenState : public GameState {
public:
    StartScreenState();
    void Update() override;

private:
    Sprite* image;
};
