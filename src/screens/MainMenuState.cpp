#include "screens/MainMenuState.h"

#include "engine/StateStack.h"
#include "progress/HighScoreTableState.h"
#include "progress/PasswordState.h"
#include "screens/StartScreenState.h"

namespace {

const MenuItem kItems[] = {
    {"New Game", 260, 100},
    {"Enter Password", 232, 150},
    {"High Scores", 253, 200},
    {"Exit", 290, 250},
};

}  // namespace

MainMenuState::MainMenuState() : menu(kItems, 4) {}

MainMenuState::~MainMenuState() {}

void MainMenuState::Update() {
    menu.Draw();
    if (menu.HandleInput()) {
        Activate(menu.Selected());
    }
}

void MainMenuState::Activate(int index) {
    // PopState deletes this menu: nothing of it is touched afterwards.
    switch (index) {
        case 0:
            PopState();
            PushState(new StartScreenState());
            break;
        case 1:
            PopState();
            PushState(new PasswordState());
            break;
        case 2:
            PopState();
            PushState(new HighScoreTableState());
            break;
        default:
            PopState();
            break;
    }
}
