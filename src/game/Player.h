#pragma once

#include <SDL.h>

class Animation;
class AnimationTable;
class Sprite;

// The player character. Between levels only the numbers travel: a StatsCopy
// carries score, levelStartTicks, health and balls, and no animation.
class Player {
public:
    static constexpr int kKillScore = 25;

    // A new game: no animation yet, score 0.
    Player();
    // The StatsCopy.
    Player(const Player& stats);
    virtual ~Player();

    Player& operator=(const Player&) = delete;

    // Starts a level: 3 hearts, 2 balls, at rest, facing right on frame 0 of
    // a stopped walk, levelStartTicks now. x, y and score are left alone.
    void Place(const AnimationTable* table);
    void WalkLeft();
    void WalkRight();
    void StopWalking();
    bool IsFacingLeft() const;

    void Advance();
    // Null and 0 x 0 before the first Place.
    Sprite* CurrentFrame() const;
    int Width() const;
    int Height() const;
    int GetAnimIndex() const { return animIndex; }
    const Animation* GetAnimation() const { return animation; }

    float GetX() const { return x; }
    void SetX(float value) { x = value; }
    float GetY() const { return y; }
    void SetY(float value) { y = value; }
    float GetVx() const { return vx; }
    void SetVx(float value) { vx = value; }
    float GetVy() const { return vy; }
    void SetVy(float value) { vy = value; }
    int GetHealth() const { return health; }
    void SetHealth(int value) { health = value; }
    int GetBalls() const { return balls; }
    void SetBalls(int value) { balls = value; }
    int GetScore() const { return score; }
    void SetScore(int value) { score = value; }
    Uint32 GetLevelStartTicks() const { return levelStartTicks; }
    void AddKillScore() { score += kKillScore; }

private:
    void ShowSlot(int slot);

    const AnimationTable* animationTable;
    Animation* animation;
    int animIndex;
    float x;
    float y;
    float vx;
    float vy;
    int health;
    int balls;
    int score;
    Uint32 levelStartTicks;
};

// A new Player carrying only the numbers of the given one.
Player* StatsCopy(const Player& player);
