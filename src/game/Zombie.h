#pragma once

class Animation;
class AnimationTable;
class Sprite;

// An enemy that walks along the ground of one grid row. It keeps no y: its
// feet always rest on the ground top of its row.
class Zombie {
public:
    // Draws one rand for the first direction (even: right, odd: left) and
    // stands centred in its column.
    Zombie(const AnimationTable* table, int row, int column);
    virtual ~Zombie();

    Zombie(const Zombie&) = delete;
    Zombie& operator=(const Zombie&) = delete;

    void WalkLeft();
    void WalkRight();
    bool IsWalkingLeft() const;
    // Switches to the break animation of its direction, once.
    void Break();
    bool IsBroken() const;

    void Advance();
    Sprite* CurrentFrame() const;
    int Width() const;
    int Height() const;
    int GetAnimIndex() const { return animIndex; }
    const Animation* GetAnimation() const { return animation; }

    int Row() const { return row; }
    int Column() const { return column; }
    float GetX() const { return x; }
    void SetX(float value) { x = value; }

private:
    void Show(int slot);

    const AnimationTable* animationTable;
    Animation* animation;
    int animIndex;
    int row;
    int column;
    float x;
};
