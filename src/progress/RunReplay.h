#pragma once

#include <SDL.h>

#include <string>

class Recording;

// A recording played again headless in a game folder, as fast as it goes,
// and where it ended: the first tally it reached (the level's password, the
// score, the level's time, the frame) and the screen in front at its end.
// The game must not have run in this process before: rand is never seeded.
struct RunReplay {
    bool started = false;
    Uint32 frames = 0;
    bool tally = false;
    Uint32 tallyFrame = 0;
    std::string tallyPassword;
    int tallyScore = 0;
    int tallyMs = 0;
    std::string endScreen;

    static RunReplay Play(const std::string& folder, const Recording& recording);
    // What the recording's header says it reaches, against what it did;
    // empty when they agree.
    std::string Mismatch(const Recording& recording) const;
};
