#pragma once

// Base of every screen. The frame loop calls Update once per frame on the
// front screen of the stack only; a screen beneath it is frozen.
class GameState {
public:
    virtual ~GameState();
    virtual void Update();
    // The window lost the keyboard focus; told to the front screen before
    // its Update.
    virtual void FocusLost() {}
    // Letter keys are its text (M then types, and leaves the sound alone).
    virtual bool TakesLetters() const { return false; }
};
