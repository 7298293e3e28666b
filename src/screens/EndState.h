#pragma once

#include "screens/ScorePictureState.h"

// Shown after the last level.
class EndState : public ScorePictureState {
public:
    explicit EndState(int score);
};
