#include "progress/HighScoreEntryState.h"

#include "engine/StateStack.h"
#include "screens/MainMenuState.h"

HighScoreEntryState::HighScoreEntryState(int) {}

void HighScoreEntryState::Update() {
    PopState();
    PushState(new MainMenuState());
}
