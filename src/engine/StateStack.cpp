#include "engine/StateStack.h"

#include "engine/GameState.h"

StateStack g_states;

StateStack::~StateStack() {
    Clear();
}

void StateStack::Push(GameState* screen) {
    screens.push_front(screen);
}

void StateStack::Pop() {
    if (screens.empty()) {
        return;
    }
    GameState* front = screens.front();
    screens.pop_front();
    delete front;
}

GameState* StateStack::Front() const {
    return screens.empty() ? nullptr : screens.front();
}

void StateStack::Clear() {
    while (!screens.empty()) {
        Pop();
    }
}

void PushState(GameState* screen) {
    g_states.Push(screen);
}

void PopState() {
    g_states.Pop();
}
