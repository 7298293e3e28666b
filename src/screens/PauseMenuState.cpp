#include "screens/PauseMenuState.h"

#include "engine/Globals.h"
#include "engine/SoundSystem.h"
#include "engine/StateStack.h"
#include "progress/HighScoreEntryState.h"

namespace {

const MenuItem kItems[] = {
    {"Return to Game", 240, 100},
    {"Exit to Menu", 254, 150},
    {"Exit Game", 266, 200},
};

}  // namespace

PauseMenuState::PauseMenuState(int currentScore) : menu(kItems, 3), score(currentScore) {}

PauseMenuState::~PauseMenuState() {}

void PauseMenuState::Update() {
    menu.Draw();
    if (menu.HandleInput()) {
        Activate(menu.Selected());
    }
}

void PauseMenuState::Activate(int index) {
    // The first PopState deletes this menu, the second the paused screen
    // beneath it: nothing of the menu is touched after the first.
    switch (index) {
        case 0:
            PopState();
            break;
        case 1: {
            int finalScore = score;
            g_sound->StopMusic();
            PopState();
            PopState();
            PushState(new HighScoreEntryState(finalScore));
            break;
        }
        default:
            PopState();
            PopState();
            break;
    }
}
