#pragma once

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/Platform.h"
#include "engine/Recording.h"

// Stands in front of another platform and writes down, frame by frame, what
// the frame step takes from it (Recording.h has the format). The game sees
// exactly what a replay will give it: the events the frame step reads (the
// rest never reach it), the clock, the application state and the devices.
// A frame begins with the first look at the events after any other call.
class RecordingPlatform : public Platform {
public:
    explicit RecordingPlatform(Platform& inner);
    ~RecordingPlatform() override;

    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    // Writes the frames to path as they come, after header's lines. False,
    // with the reason, when the file cannot be made.
    bool StreamTo(const std::string& path, const Recording& header, std::string& error);
    // Ends the stream with the last frames and the end line; true when all
    // of it was written. Without a stream, nothing.
    bool Finish();
    // Writes everything so far, after header's lines, to path (made anew).
    bool WriteTo(const std::string& path, const Recording& header);
    // Frames begun so far.
    Uint32 FrameCount() const { return frames; }

    bool PollEvent(SDL_Event& event) override;
    Uint8 GetAppState() override;
    Uint32 GetTicks() override;
    DeviceState ReadDevices() override;
    void HideCursor() override { inner.HideCursor(); }
    void Delay(Uint32 ms) override { inner.Delay(ms); }

private:
    // Every call but a look at the events ends the looking; the next look
    // begins a frame.
    void InFrame();
    void EndFrame();
    void Add(const std::string& line, Uint32 repeat);
    void Flush();

    Platform& inner;
    bool polling = false;
    bool open = false;
    Uint32 frames = 0;
    RecordedFrame frame;        // the one being taken
    std::vector<Uint32> times;  // its clock answers as given
    std::string lastLine;
    Uint32 lastRepeat = 0;
    Uint32 lastTick = 0;
    int lastAppState = -1;
    Uint8 keys[Recording::kKeyCount] = {};
    DeviceState devices;
    std::string body;  // frame lines not yet in the stream
    Uint32 bodyFrames = 0;
    std::FILE* stream = nullptr;
    Uint32 streamSum = 0;
    long streamBytes = 0;
    bool stopped = false;  // the stream reached the largest file
};
