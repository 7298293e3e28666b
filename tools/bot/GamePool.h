#pragma once

#include <string>
#include <vector>

#include "bot/Snapshot.h"

class HeadlessPlatform;
class RecordingPlatform;
class Recording;

// A move of a few frames: walk (-1 left, 0 stay, 1 right), hop, or throw
// with a mouse button at a mouse height towards a side (a throw the other
// way first turns him with a frame's walk). Two moves watch the game as
// they go: an ambush faces a side and waits until a zombie walking his
// row comes within range, then throws fast at it; a fetch walks to the
// nearest ball on his row until he has it; a landing walks (or not) until
// his feet are on the ground again. Each gives up after a while.
struct Move {
    enum Kind { kPlain, kAmbush, kFetch, kLanding };
    int kind = kPlain;
    int dir = 0;
    bool hop = false;
    int button = 0;  // 0, or kButtonLeft (slow), kButtonRight (fast)
    int aim = 240;
    int frames = 8;  // at most 63
    int range = 0;   // an ambush's, in pixels, at most 255

    int Pack() const;
    static Move Unpack(int packed);
};

// The games of a search, each a process of its own waiting where its moves
// left it, in a numbered slot. Trying a move forks the game: the child plays
// the move's frames, reports what it sees (Snapshot) through shared memory
// and waits in its turn. So no game is played twice from its start. The
// processes run without sound (no audio thread to lose in a fork), share
// the memory the screen is drawn in (nothing reads a picture back), form
// one process group that ends with the pool, and end by themselves when the
// pool's process is gone.
class GamePool {
public:
    // game: the program as it stands now, recorder in front of it.
    GamePool(HeadlessPlatform& game, RecordingPlatform& recorder, int slots);
    ~GamePool();

    GamePool(const GamePool&) = delete;
    GamePool& operator=(const GamePool&) = delete;

    // The first game, the program as it stands; its slot, or -1 when the
    // processes cannot run. A won game will be written to path after
    // header's lines, with its tally and tallyFrames frames of it.
    int Start(const std::string& path, const Recording& header, int tallyFrames);
    const Snapshot& Game(int slot) const;
    int FreeSlots() const { return static_cast<int>(idle.size()); }
    // Tries a move from the game in slot: the slot of the new game, which
    // reports later; -1 without a free slot.
    int Try(int slot, const Move& move);
    // Waits for count tries to report; false when one does not within a
    // minute (its process has died).
    bool Wait(int count);
    // The game's process ends; its slot is free.
    void End(int slot);
    // The game in slot, won, plays on a little on the tally (for a viewer
    // to see it) and writes itself out; true when done.
    bool Write(int slot);

private:
    HeadlessPlatform& game;
    RecordingPlatform& recorder;
    void* memory = nullptr;
    size_t bytes = 0;
    std::vector<int> idle;
    int group = -1;
};
