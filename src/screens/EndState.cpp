#include "screens/EndState.h"

EndState::EndState(int score) : ScorePictureState("gdat\\end.png", score) {}
