#pragma once

class Animation;

// Slots of the animation templates that players and zombies copy.
enum AnimationSlot {
    ZombieWalkLeft = 0,
    ZombieWalkRight = 1,
    PlayerWalkLeft = 2,
    PlayerWalkRight = 3,
    ZombieBreakLeft = 4,
    ZombieBreakRight = 5,
};

// The six animation templates of a level, built from the loaded sprites.
// Entries are never shown themselves; figures copy them.
class AnimationTable {
public:
    static constexpr int kSlotCount = 6;
    static constexpr int kMsPerFrame = 120;

    // Looks the frames up in g_resources; a missing frame stays null.
    AnimationTable();
    virtual ~AnimationTable();

    AnimationTable(const AnimationTable&) = delete;
    AnimationTable& operator=(const AnimationTable&) = delete;

    const Animation& Entry(int slot) const { return *entries[slot]; }

private:
    Animation* entries[kSlotCount];
};
