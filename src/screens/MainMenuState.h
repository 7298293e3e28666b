#pragma once

#include "engine/GameState.h"
#include "screens/MenuList.h"

// "New Game", "Enter Password", "High Scores", "Exit": arrows move the
// highlight, Space or Return opens the entry.
class MainMenuState : public GameState {
public:
    MainMenuState();
    ~MainMenuState() override;
    void Update() override;

    int Selected() const { return menu.Selected(); }

private:
    void Activate(int index);

    MenuList menu;
};
