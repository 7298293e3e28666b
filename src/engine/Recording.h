#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "engine/Platform.h"

// A recorded run of the program: for every frame, what the frame step took
// from its platform. The game never seeds rand and reads time and input only
// through the platform, so the same answers from program start make the same
// game on any machine. The file is text, one frame a line:
//
//   quonkle-run 1             the format
//   game 1.0.0                the version of the game that recorded it
//   levels 8d0c5e1a           the level list's checksum (LevelChecksum.h)
//   tally 630519 525 1817 12544  optional: the run ends on the tally of the
//                             level with that password, with that score, at
//                             that frame, the level played for that many ms
//   # ...                     comments, in the header only
//   frames
//   t33 a7 m320,240           one line a frame, tokens below
//   40*t16                    N* : the line stands for N frames alike
//   end 1834 5f3e9c07         the frame count and the FNV-1a checksum of
//                             every byte before this line
//
// Tokens: tN a clock answer, N ms after the one before (the first after 0;
// asked more often, a frame repeats its last); aN the application state;
// q, r and fG,S the events the frame step reads: a window close, a resize,
// a change of the application state (gained or lost, which bits); kN and uN
// key N goes down or up; mX,Y the mouse; bN its buttons; p- no controller,
// pA,A,A,A,A,A,B one with its six axes and its buttons as bits; - a frame
// that took nothing new. App state and devices hold until changed.
struct RecordedFrame {
    std::vector<Uint32> ticks;  // clock answers, each after the one before
    std::vector<SDL_Event> events;
    std::string changes;  // the frame's a, k, u, m, b and p tokens
    Uint32 repeat = 1;
};

class Recording {
public:
    static constexpr int kFormat = 1;
    // No run of the game comes near it: at 60 frames a second a line of
    // a few bytes a frame lasts for days.
    static constexpr long kLargestFile = 64L << 20;
    static constexpr int kKeyCount = 512;

    std::string gameVersion;
    Uint32 levelsChecksum = 0;
    // Set when the run ends on a tally.
    bool hasTally = false;
    std::string tallyPassword;
    int tallyScore = 0;
    Uint32 tallyFrame = 0;
    int tallyMs = 0;
    std::vector<RecordedFrame> frames;

    Uint32 FrameCount() const;

    // Reads path and checks it was made by this game, gameVersion, with
    // these levels. False with one line saying what is wrong otherwise.
    bool Load(const std::string& path, const std::string& version, Uint32 levels,
              std::string& error);

    // The header lines up to "frames".
    std::string Header() const;
    // One frame line without its repeat, and the frame read back from one.
    static std::string FrameLine(const RecordedFrame& frame);
    static bool ParseFrame(const std::string& line, RecordedFrame& frame);
    // What a frame's changes make of the devices as they were.
    static void ApplyChanges(const std::string& changes, Uint8* keys, DeviceState& devices,
                             Uint8& appState);
};

// FNV-1a over text, continuing from sum.
Uint32 Checksum(const std::string& text, Uint32 sum = 2166136261u);
