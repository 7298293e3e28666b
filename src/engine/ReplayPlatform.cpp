#include "engine/ReplayPlatform.h"

#include <algorithm>

#include "engine/Gamepad.h"
#include "engine/Keys.h"

namespace {

// A replay waits at most this long a frame (a recorded stall is cut short),
// and one that falls further behind (a slow machine) goes on from there.
const Uint32 kLongestWait = 250;

}  // namespace

ReplayPlatform::ReplayPlatform(const Recording& run, Platform* behindPlatform, bool pace)
    : recording(run), behind(behindPlatform), paced(pace) {
    devices.keys = keys;
    devices.keyCount = Recording::kKeyCount;
}

void ReplayPlatform::NextFrame() {
    if (!over && PlayerEnds()) {
        over = true;
    }
    if (!over && repeatsLeft == 0) {
        if (index >= recording.frames.size()) {
            over = true;
        } else {
            frame = &recording.frames[index++];
            repeatsLeft = frame->repeat;
        }
    }
    if (over) {
        lastTick = clock;
        return;
    }
    --repeatsLeft;
    ++frameCount;
    // The frame's answers count on from the last one of the frame before,
    // whether or not it was asked for all of them.
    const Uint32 frameStart = clock;
    for (Uint32 step : frame->ticks) {
        clock += step;
    }
    lastTick = frameStart;
    nextEvent = 0;
    nextTick = 0;
    Recording::ApplyChanges(frame->changes, keys, devices, appState);
    if (paced && behind) {
        Pace(frameStart);
    }
}

bool ReplayPlatform::PlayerEnds() {
    if (!behind) {
        return false;
    }
    SDL_Event event;
    bool closed = false;
    while (behind->PollEvent(event)) {
        closed = closed || event.type == SDL_QUIT;
    }
    // Escape on the keyboard, or the controller's Start, which the game
    // takes for Escape.
    const DeviceState now = behind->ReadDevices();
    Uint8 real[Recording::kKeyCount] = {};
    std::copy(now.keys, now.keys + std::clamp(now.keyCount, 0, Recording::kKeyCount), real);
    Uint8 buttons = 0;
    float aim = 0.0f;
    if (now.pad.present) {
        ApplyPad(now.pad, padHeld, real, buttons, aim);
    }
    const bool escape = real[kKeyEscape] != 0;
    escapes += escape && !escapeDown;
    escapeDown = escape;
    return closed || escapes >= 2;
}

void ReplayPlatform::Pace(Uint32 recordedNow) {
    const Uint32 realNow = behind->GetTicks();
    if (!started) {
        started = true;
        realStart = realNow;
        recordedStart = recordedNow;
        return;
    }
    const Uint32 due = recordedNow - recordedStart;
    const Uint32 real = realNow - realStart;
    if (real > due + kLongestWait) {
        realStart += real - due;  // a stall of the machine is not made up for
    } else if (due > real) {
        const Uint32 wait = std::min(due - real, kLongestWait);
        realStart -= due - real - wait;
        behind->Delay(wait);
    }
}

bool ReplayPlatform::PollEvent(SDL_Event& event) {
    if (!polling) {
        polling = true;
        NextFrame();
    }
    if (over) {
        if (quitSent) {
            return false;
        }
        quitSent = true;
        event = SDL_Event();
        event.type = SDL_QUIT;
        return true;
    }
    if (nextEvent < frame->events.size()) {
        event = frame->events[nextEvent++];
        return true;
    }
    return false;
}

Uint8 ReplayPlatform::GetAppState() {
    polling = false;
    return over ? 0 : appState;
}

Uint32 ReplayPlatform::GetTicks() {
    polling = false;
    if (!over && frame && nextTick < frame->ticks.size()) {
        lastTick += frame->ticks[nextTick++];
    }
    return lastTick;
}

DeviceState ReplayPlatform::ReadDevices() {
    polling = false;
    return devices;
}

void ReplayPlatform::HideCursor() {
    if (behind) {
        behind->HideCursor();
    }
}
