#pragma once

#include "engine/GameState.h"
#include "progress/TextEntry.h"

class Font;
class Sprite;

// Every game ends here with its score. A score above the lowest stored one
// takes a three-letter name and goes into high.txt, then the table opens;
// any other score goes straight back to the main menu.
class HighScoreEntryState : public GameState {
public:
    explicit HighScoreEntryState(int score);
    ~HighScoreEntryState() override;
    void Update() override;
    bool TakesLetters() const override { return true; }
    const std::string& GetName() const { return name.Text(); }

private:
    void Draw();
    void HandleInput();
    void Confirm();

    TextEntry name;
    int score;
    bool qualifies;
    // Set once storing the entry has failed; Escape then gives up on it.
    bool writeFailed;
    Font* font;
    Sprite* background;
};
