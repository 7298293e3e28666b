#include "engine/HeadlessPlatform.h"

#include <cxxabi.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <typeinfo>

#include "engine/Engine.h"
#include "engine/GameState.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/StateStack.h"
#include "progress/Settings.h"

HeadlessPlatform::HeadlessPlatform(Uint32 delta) : frameDelta(delta) {}

HeadlessPlatform::~HeadlessPlatform() {
    if (started) {
        ShutDown();
    }
    if (!previousDir.empty()) {
        // The next user sets its own folder if this fails.
        (void)!chdir(previousDir.c_str());
    }
}

bool HeadlessPlatform::Start(const std::string& folder, bool sound, Platform* front) {
    char cwd[PATH_MAX];
    if (started || !getcwd(cwd, sizeof cwd) || chdir(folder.c_str()) != 0) {
        return false;
    }
    previousDir = cwd;
    // No window whatever the environment says; without sound no audio
    // device opens at all (a driver of that name does not exist).
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", sound ? "dummy" : "none", 1);
    g_lastTicks = 0;
    g_frameDelta = 0;
    // As the program starts with --window: what is remembered is read.
    started = StartUp(LoadSettings(), 1, front ? front : this, 0);
    if (started) {
        keys.assign(g_input->KeyCount(), 0);
    }
    return started;
}

bool HeadlessPlatform::Ended() const {
    return !started || !running || g_states.Empty();
}

GameState* HeadlessPlatform::Front() const {
    return started ? g_states.Front() : nullptr;
}

std::string HeadlessPlatform::ScreenName() const {
    GameState* front = Front();
    if (!front) {
        return "ended";
    }
    char* name = abi::__cxa_demangle(typeid(*front).name(), nullptr, nullptr, nullptr);
    std::string result = name ? name : typeid(*front).name();
    std::free(name);
    return result;
}

bool HeadlessPlatform::Frame() {
    if (Ended()) {
        return false;
    }
    ticks += frameDelta;
    running = RunFrame();
    ++frameCount;
    for (int key : tappedKeys) {
        keys.at(key) = 0;
    }
    tappedKeys.clear();
    buttons = 0;
    return !Ended();
}

void HeadlessPlatform::Frames(int n) {
    for (int i = 0; i < n && Frame(); ++i) {
    }
}

bool HeadlessPlatform::RunUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames && !done(); ++i) {
        if (!Frame()) {
            break;
        }
    }
    return done();
}

void HeadlessPlatform::Send(Uint8 type) {
    SDL_Event event = {};
    event.type = type;
    events.push_back(event);
}

// SDL tells each change of the application's state as an event, the bits
// lost and the bits gained apart.
void HeadlessPlatform::SetAppState(Uint8 state) {
    for (Uint8 gain : {0, 1}) {
        Uint8 changed = static_cast<Uint8>((gain ? state & ~appState : appState & ~state) & 7);
        if (changed) {
            SDL_Event event = {};
            event.type = SDL_ACTIVEEVENT;
            event.active.gain = gain;
            event.active.state = changed;
            events.push_back(event);
        }
    }
    appState = state;
}

bool HeadlessPlatform::PollEvent(SDL_Event& event) {
    if (events.empty()) {
        return false;
    }
    event = events.front();
    events.erase(events.begin());
    return true;
}

DeviceState HeadlessPlatform::ReadDevices() {
    return {keys.data(), static_cast<int>(keys.size()),
            mouseX,      mouseY,
            buttons,     systemPad ? Platform::ReadDevices().pad : pad};
}

Uint32 HeadlessPlatform::TakeSlept() {
    const Uint32 ms = slept;
    slept = 0;
    return ms;
}
