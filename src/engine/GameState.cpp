#include "engine/GameState.h"

GameState::~GameState() {}

void GameState::Update() {}
