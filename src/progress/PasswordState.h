#pragma once

#include <SDL.h>

#include <string>

#include "engine/GameState.h"

class Font;
class Sprite;

// Six digits and a confirmation open the level whose password they are, as
// a new game; anything else returns to the main menu.
class PasswordState : public GameState {
public:
    PasswordState();
    ~PasswordState() override;
    void Update() override;

private:
    void Draw();
    void HandleInput();
    bool ConfirmRequested() const;
    void Confirm();

    std::string entry;
    Sprite* background;
    Font* font;
    SDL_Rect confirmBox;
};
