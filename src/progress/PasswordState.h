#pragma once

#include "engine/GameState.h"
#include "progress/TextEntry.h"

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
    void Confirm();

    TextEntry entry;
    Sprite* background;
    Font* font;
};
