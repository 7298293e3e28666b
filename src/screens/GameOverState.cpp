#include "screens/GameOverState.h"

GameOverState::GameOverState(int score) : ScorePictureState("gdat\\g_over.png", score) {}
