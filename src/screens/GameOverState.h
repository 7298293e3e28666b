#pragma once

#include "screens/ScorePictureState.h"

// Shown when the last heart is lost.
class GameOverState : public ScorePictureState {
public:
    explicit GameOverState(int score);
};
