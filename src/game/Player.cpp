#include "game/Player.h"

#include "engine/Globals.h"
#include "engine/Sprite.h"
#include "game/Animation.h"
#include "game/AnimationTable.h"

namespace {

const int kStartHealth = 3;
const int kStartBalls = 2;

}  // namespace

Player::Player()
    : animationTable(nullptr),
      animation(nullptr),
      animIndex(PlayerWalkRight),
      x(0.0f),
      y(0.0f),
      vx(0.0f),
      vy(0.0f),
      health(kStartHealth),
      balls(kStartBalls),
      score(0),
      levelStartTicks(0) {}

Player::Player(const Player& stats)
    : animationTable(nullptr),
      animation(nullptr),
      animIndex(PlayerWalkRight),
      x(0.0f),
      y(0.0f),
      vx(0.0f),
      vy(0.0f),
      health(stats.health),
      balls(stats.balls),
      score(stats.score),
      levelStartTicks(stats.levelStartTicks) {}

Player::~Player() {
    delete animation;
}

void Player::Place(const AnimationTable* table) {
    delete animation;
    animation = nullptr;
    animationTable = table;
    animIndex = PlayerWalkRight;
    if (table) {
        animation = new Animation(table->Entry(PlayerWalkRight));
    }
    vx = 0.0f;
    vy = 0.0f;
    health = kStartHealth;
    balls = kStartBalls;
    levelStartTicks = g_lastTicks;
}

void Player::ShowSlot(int slot) {
    if (animIndex == slot && animation) {
        animation->Start();
        return;
    }
    delete animation;
    animation = animationTable ? new Animation(animationTable->Entry(slot)) : nullptr;
    if (animation) {
        animation->Start();
    }
    animIndex = slot;
}

void Player::WalkLeft() {
    ShowSlot(PlayerWalkLeft);
}

void Player::WalkRight() {
    ShowSlot(PlayerWalkRight);
}

void Player::StopWalking() {
    if (animation) {
        animation->Stop();
    }
}

bool Player::IsFacingLeft() const {
    return animIndex == PlayerWalkLeft;
}

void Player::Advance() {
    if (animation) {
        animation->Advance();
    }
}

Sprite* Player::CurrentFrame() const {
    return animation ? animation->CurrentFrame() : nullptr;
}

int Player::Width() const {
    Sprite* frame = CurrentFrame();
    return frame ? frame->GetWidth() : 0;
}

int Player::Height() const {
    Sprite* frame = CurrentFrame();
    return frame ? frame->GetHeight() : 0;
}

Player* StatsCopy(const Player& player) {
    return new Player(player);
}
