#include "screens/StartScreenState.h"

#include "engine/StateStack.h"
#include "screens/MainMenuState.h"

StartScreenState::StartScreenState() {}

void StartScreenState::Update() {
    PopState();
    PushState(new MainMenuState());
}
