#include "game/AnimationTable.h"

#include <string>
#include <vector>

#include "engine/Globals.h"
#include "engine/ResourceManager.h"
#include "game/Animation.h"

namespace {

struct SlotFrames {
    const char* stem;
    int frameCount;
    AnimationMode mode;
};

const SlotFrames kSlotFrames[AnimationTable::kSlotCount] = {
    {"gdat\\zombie_walking_left", 10, AnimationMode::Loop},
    {"gdat\\zombie_walking_right", 10, AnimationMode::Loop},
    {"gdat\\tovik_walk_left", 10, AnimationMode::Loop},
    {"gdat\\tovik_walk_right", 10, AnimationMode::Loop},
    {"gdat\\zombie_break_left", 9, AnimationMode::PlayOnce},
    {"gdat\\zombie_break_right", 9, AnimationMode::PlayOnce},
};

const int kBuildOrder[AnimationTable::kSlotCount] = {
    ZombieWalkLeft,   ZombieWalkRight, ZombieBreakLeft,
    ZombieBreakRight, PlayerWalkRight, PlayerWalkLeft,
};

Animation* BuildSlot(int slot) {
    const SlotFrames& slotFrames = kSlotFrames[slot];
    std::vector<Sprite*> frames;
    for (int i = 1; i <= slotFrames.frameCount; ++i) {
        std::string name = std::string(slotFrames.stem) + std::to_string(i) + ".png";
        frames.push_back(g_resources ? g_resources->GetSprite(name.c_str()) : nullptr);
    }
    return new Animation(frames.data(), slotFrames.frameCount, AnimationTable::kMsPerFrame,
                         slotFrames.mode);
}

}  // namespace

AnimationTable::AnimationTable() : entries() {
    for (int slot : kBuildOrder) {
        entries[slot] = BuildSlot(slot);
    }
}

AnimationTable::~AnimationTable() {
    for (Animation* entry : entries) {
        delete entry;
    }
}
