#pragma once

#include <SDL.h>

#include "engine/Gamepad.h"
#include "engine/Platform.h"
#include "engine/Recording.h"

// Gives the frame step what a recording says it took, frame by frame, so
// the program plays the recorded game again. A frame begins with the first
// look at the events after any other call. After the last frame the replay
// is over: the program is told the window closed, and runs no more frames.
//
// With a platform behind it (the window's), that one still gets its events
// looked at and the cursor hidden, but its input only ends the replay:
// Escape pressed twice, or the window closed. Paced, each frame waits until
// as much time has passed as the recording says, so the game runs at the
// speed it was played at; unpaced (headless) it runs as fast as it can.
class ReplayPlatform : public Platform {
public:
    ReplayPlatform(const Recording& recording, Platform* behind, bool paced);

    bool Over() const { return over; }
    // Frames given so far.
    Uint32 FrameCount() const { return frameCount; }

    bool PollEvent(SDL_Event& event) override;
    Uint8 GetAppState() override;
    Uint32 GetTicks() override;
    DeviceState ReadDevices() override;
    void HideCursor() override;
    void Delay(Uint32) override {}

private:
    void NextFrame();
    // The player's own input: true when it ends the replay.
    bool PlayerEnds();
    void Pace(Uint32 recordedMs);

    const Recording& recording;
    Platform* behind;
    bool paced;
    bool polling = false;
    bool over = false;
    bool quitSent = false;
    size_t index = 0;
    Uint32 repeatsLeft = 0;
    Uint32 frameCount = 0;
    const RecordedFrame* frame = nullptr;
    size_t nextEvent = 0;
    size_t nextTick = 0;
    Uint32 clock = 0;     // the clock after the last frame's answers
    Uint32 lastTick = 0;  // the last answer given
    Uint8 appState = SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS;
    Uint8 keys[Recording::kKeyCount] = {};
    DeviceState devices;
    int escapes = 0;
    bool escapeDown = false;
    PadHeld padHeld;  // the player's controller, for its Start
    bool started = false;
    Uint32 realStart = 0;
    Uint32 recordedStart = 0;
};
