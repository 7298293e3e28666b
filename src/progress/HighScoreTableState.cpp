#include "progress/HighScoreTableState.h"

#include "engine/StateStack.h"
#include "screens/MainMenuState.h"

HighScoreTableState::HighScoreTableState() {}

void HighScoreTableState::Update() {
    PopState();
    PushState(new MainMenuState());
}
