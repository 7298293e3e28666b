#pragma once

#include "engine/GameState.h"

class Sprite;

// A full-screen picture that ends a game: it silences the music when it
// opens and waits for Space, which takes the final score to the high-score
// entry. The game-over and end screens differ only in their picture.
class ScorePictureState : public GameState {
public:
    ScorePictureState(const char* imageName, int score);
    void Update() override;

    int GetScore() const { return score; }

private:
    Sprite* image;
    int score;
};
