#pragma once

#include "engine/GameState.h"

class Sprite;

// The first screen: shows the splash picture while every asset loads, then
// gives way to the main menu. Runs exactly one frame.
class SplashState : public GameState {
public:
    SplashState();
    ~SplashState() override;
    void Update() override;

private:
    Sprite* splash;
};
