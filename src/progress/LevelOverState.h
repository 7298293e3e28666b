#pragma once

#include <string>

#include "engine/GameState.h"

class Font;
class Player;
class Sprite;

// The tally between two levels. It adds the level's bonuses to the score
// once, at construction, and shows them with the password of the level just
// completed. Space goes on to the next level with the score, or to the end
// screen after the last one; Escape pauses on top of it.
class LevelOverState : public GameState {
public:
    LevelOverState(const std::string& levelName, Player* player);
    ~LevelOverState() override;
    void Update() override;

    int GetScore() const;
    int GetOldScore() const { return oldScore; }
    const std::string& GetLevelPassword() const { return levelPassword; }
    const std::string& GetNextLevel() const { return nextLevel; }
    // The time the level took.
    int GetElapsedMs() const { return elapsedMs; }

    // Up to 300 for a level finished within a minute, 1 less per 200 ms.
    static int TimeBonus(int elapsedMs);

private:
    void Draw();
    void HandleInput();

    Sprite* background;
    Font* font;
    Player* player;
    std::string nextLevel;
    std::string levelPassword;
    int oldScore;
    int healthLeft;
    int ballsLeft;
    int elapsedMs;
};
