#include "game/Animation.h"

#include "engine/Globals.h"

Animation::Animation(Sprite* const* frameList, int count, int ms, AnimationMode animationMode)
    : frames(new Sprite*[count > 0 ? count : 1]()),
      mode(animationMode),
      frameCount(count > 0 ? count : 1),
      msPerFrame(ms),
      lastStepTicks(0),
      currentFrame(0),
      runState(AnimationRunState::Stopped) {
    for (int i = 0; i < count; ++i) {
        frames[i] = frameList ? frameList[i] : nullptr;
    }
}

Animation::Animation(const Animation& other)
    : frames(new Sprite*[other.frameCount]),
      mode(other.mode),
      frameCount(other.frameCount),
      msPerFrame(other.msPerFrame),
      lastStepTicks(0),
      currentFrame(0),
      runState(AnimationRunState::Stopped) {
    for (int i = 0; i < frameCount; ++i) {
        frames[i] = other.frames[i];
    }
}

Animation::~Animation() {
    delete[] frames;
}

void Animation::Advance() {
    if (runState == AnimationRunState::Stopped || frameCount == 1) {
        return;
    }
    // Signed, so that a tick count that wrapped around still steps.
    if (static_cast<Sint32>(g_lastTicks) <
        static_cast<Sint32>(lastStepTicks + static_cast<Uint32>(msPerFrame))) {
        return;
    }
    lastStepTicks = g_lastTicks;
    switch (mode) {
        case AnimationMode::PlayOnce:
            ++currentFrame;
            if (currentFrame == frameCount - 1) {
                runState = AnimationRunState::Stopped;
            }
            break;
        case AnimationMode::Loop:
            ++currentFrame;
            if (currentFrame == frameCount) {
                currentFrame = 0;
            }
            break;
        case AnimationMode::PingPongOnce:
        case AnimationMode::PingPongLoop:
            if (runState == AnimationRunState::Forward) {
                ++currentFrame;
                if (currentFrame == frameCount) {
                    currentFrame = frameCount - 2;
                    runState = AnimationRunState::Backward;
                }
            } else {
                --currentFrame;
                // <= keeps a two-frame ping-pong, which turns at frame 0, in range.
                if (currentFrame <= 0) {
                    currentFrame = 0;
                    runState = mode == AnimationMode::PingPongOnce ? AnimationRunState::Stopped
                                                                   : AnimationRunState::Forward;
                }
            }
            break;
    }
}

Sprite* Animation::CurrentFrame() const {
    return frames[currentFrame];
}

void Animation::Start() {
    if (runState != AnimationRunState::Stopped) {
        return;
    }
    currentFrame = 0;
    lastStepTicks = g_lastTicks;
    runState = AnimationRunState::Forward;
}

void Animation::Stop() {
    runState = AnimationRunState::Stopped;
}
