#include "game/Zombie.h"

#include <cstdlib>

#include "engine/Sprite.h"
#include "game/Animation.h"
#include "game/AnimationTable.h"

Zombie::Zombie(const AnimationTable* table, int zombieRow, int zombieColumn)
    : animationTable(table),
      animation(nullptr),
      animIndex(std::rand() % 2 == 0 ? ZombieWalkRight : ZombieWalkLeft),
      row(zombieRow),
      column(zombieColumn),
      x(0.0f) {
    Show(animIndex);
    x = static_cast<float>((40 - Width()) / 2 + 40 * column);
}

Zombie::~Zombie() {
    delete animation;
}

void Zombie::Show(int slot) {
    delete animation;
    animIndex = slot;
    animation = animationTable ? new Animation(animationTable->Entry(slot)) : nullptr;
    if (animation) {
        animation->Start();
    }
}

void Zombie::WalkLeft() {
    if (animIndex != ZombieWalkLeft) {
        Show(ZombieWalkLeft);
    }
}

void Zombie::WalkRight() {
    if (animIndex != ZombieWalkRight) {
        Show(ZombieWalkRight);
    }
}

bool Zombie::IsWalkingLeft() const {
    return animIndex == ZombieWalkLeft;
}

void Zombie::Break() {
    if (IsBroken()) {
        return;
    }
    Show(animIndex == ZombieWalkRight ? ZombieBreakRight : ZombieBreakLeft);
}

bool Zombie::IsBroken() const {
    return animIndex == ZombieBreakLeft || animIndex == ZombieBreakRight;
}

void Zombie::Advance() {
    if (animation) {
        animation->Advance();
    }
}

Sprite* Zombie::CurrentFrame() const {
    return animation ? animation->CurrentFrame() : nullptr;
}

int Zombie::Width() const {
    Sprite* frame = CurrentFrame();
    return frame ? frame->GetWidth() : 0;
}

int Zombie::Height() const {
    Sprite* frame = CurrentFrame();
    return frame ? frame->GetHeight() : 0;
}
