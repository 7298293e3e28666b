#pragma once

#include <SDL.h>

#include <string>

#include "engine/GameState.h"

class Font;
class Sprite;

// Pushed over the play screen or the tally, which stay frozen beneath it:
// "Return to Game", "Exit to Menu" (through the high-score entry) and
// "Exit Game". Arrows move the highlight, Space or Return chooses.
class PauseMenuState : public GameState {
public:
    static const int kItemCount = 3;

    explicit PauseMenuState(int score);
    ~PauseMenuState() override;
    void Update() override;

    int Selected() const { return selected; }
    int GetScore() const { return score; }

private:
    void Draw();
    void HandleInput();
    void Activate(int index);

    Sprite* background;
    Sprite* title;
    Font* font;
    std::string itemTexts[kItemCount];
    Sint16 itemX[kItemCount];
    Sint16 itemY[kItemCount];
    int selected;
    int score;
};
