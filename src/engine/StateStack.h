#pragma once

#include <cstddef>
#include <list>

class GameState;

// The owned stack of screens. The front is the current screen; removing a
// screen deletes it at once.
class StateStack {
public:
    ~StateStack();

    void Push(GameState* screen);
    void Pop();
    GameState* Front() const;
    bool Empty() const { return screens.empty(); }
    std::size_t Count() const { return screens.size(); }
    // Deletes every screen, front to back (shutdown).
    void Clear();

private:
    std::list<GameState*> screens;
};

extern StateStack g_states;

void PushState(GameState* screen);
void PopState();
