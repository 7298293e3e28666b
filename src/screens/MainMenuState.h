#pragma once

#include <SDL.h>

#include <string>

#include "engine/GameState.h"

class Font;
class Sprite;

// "New Game", "Enter Password", "High Scores", "Exit": arrows move the
// highlight, Space or Return opens the entry.
class MainMenuState : public GameState {
public:
    static const int kItemCount = 4;

    MainMenuState();
    ~MainMenuState() override;
    void Update() override;

    int Selected() const { return selected; }

private:
    void Draw();
    void HandleInput();
    void Activate(int index);

    Sprite* title;
    Sprite* background;
    Font* font;
    std::string itemTexts[kItemCount];
    Sint16 itemX[kItemCount];
    Sint16 itemY[kItemCount];
    int selected;
};
