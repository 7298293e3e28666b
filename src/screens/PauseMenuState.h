#pragma once

#include "engine/GameState.h"
#include "screens/MenuList.h"

// Pushed over the play screen or the tally, which stay frozen beneath it:
// "Return to Game", "Exit to Menu" (through the high-score entry) and
// "Exit Game". Arrows move the highlight, Space or Return chooses.
class PauseMenuState : public GameState {
public:
    explicit PauseMenuState(int score);
    ~PauseMenuState() override;
    void Update() override;

    int Selected() const { return menu.Selected(); }
    int GetScore() const { return score; }

private:
    void Activate(int index);

    MenuList menu;
    int score;
};
