#pragma once

#include <SDL.h>

class Sprite;

enum class AnimationMode { PlayOnce = 0, Loop = 1, PingPongOnce = 2, PingPongLoop = 3 };

enum class AnimationRunState { Forward = 0, Backward = 1, Stopped = 2 };

// A row of borrowed frames shown one after another on the frame tick. Each
// figure owns a copy of the table entry it shows; a copy starts stopped at
// frame 0, whatever its source was doing.
class Animation {
public:
    Animation(Sprite* const* frameList, int frameCount, int msPerFrame, AnimationMode mode);
    Animation(const Animation& other);
    virtual ~Animation();

    Animation& operator=(const Animation&) = delete;

    // One step at most per call, however long the frame was.
    void Advance();
    Sprite* CurrentFrame() const;
    // Restarts from frame 0 only when stopped; a running animation goes on.
    void Start();
    // Freezes on the frame shown now.
    void Stop();

    AnimationMode GetMode() const { return mode; }
    int GetFrameCount() const { return frameCount; }
    int GetMsPerFrame() const { return msPerFrame; }
    int GetCurrentFrameIndex() const { return currentFrame; }
    AnimationRunState GetRunState() const { return runState; }

private:
    Sprite** frames;
    AnimationMode mode;
    int frameCount;
    int msPerFrame;
    Uint32 lastStepTicks;
    int currentFrame;
    AnimationRunState runState;
};
