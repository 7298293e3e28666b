#include "progress/PasswordState.h"

#include "engine/StateStack.h"
#include "screens/MainMenuState.h"

PasswordState::PasswordState() {}

void PasswordState::Update() {
    PopState();
    PushState(new MainMenuState());
}
