#pragma once

// Base of every screen. The frame loop calls Update once per frame on the
// front screen of the stack only; a screen beneath it is frozen.
class GameState {
public:
    virtual ~GameState();
    virtual void Update();
};
