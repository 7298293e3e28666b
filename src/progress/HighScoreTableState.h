#pragma once

#include <string>

#include "engine/GameState.h"
#include "progress/HighScores.h"

class Font;
class Sprite;

// The ten stored scores, highest at the top, as high.txt held them when the
// screen opened. Space returns to the main menu.
class HighScoreTableState : public GameState {
public:
    HighScoreTableState();
    ~HighScoreTableState() override;
    void Update() override;

    // Row 0 is the top (highest) row.
    const std::string& NameAt(int row) const { return names[row]; }
    const std::string& ScoreTextAt(int row) const { return scoreTexts[row]; }

private:
    void Draw();
    void HandleInput();

    std::string names[kHighScoreCount];
    std::string scoreTexts[kHighScoreCount];
    Font* font;
    Sprite* background;
};
