#include "support/HeadlessDriver.h"

#include <unistd.h>

#include <climits>
#include <sstream>
#include <stdexcept>

#include "engine/Display.h"
#include "engine/Engine.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/StateStack.h"

HeadlessDriver::HeadlessDriver(const std::string& workDir, Uint32 delta)
    : started(false),
      frameDelta(delta),
      frameCount(0),
      mouseX(320),
      mouseY(240),
      buttons(0),
      clickedButtons(0) {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) {
        previousDir = cwd;
    }
    if (chdir(workDir.c_str()) != 0) {
        throw std::runtime_error("no such folder: " + workDir);
    }
    g_lastTicks = 0;
    g_frameDelta = 0;
    started = StartUp(false);
    if (started) {
        keys.assign(g_input->KeyCount(), 0);
    }
}

HeadlessDriver::~HeadlessDriver() {
    if (started) {
        ShutDown();
    }
    if (!previousDir.empty() && chdir(previousDir.c_str()) != 0) {
        // The next test sets its own folder.
    }
}

bool HeadlessDriver::Ended() const {
    return !started || g_states.Empty();
}

GameState* HeadlessDriver::Front() const {
    return g_states.Front();
}

void HeadlessDriver::Hold(int key) {
    keys.at(key) = 1;
}

void HeadlessDriver::Release(int key) {
    keys.at(key) = 0;
}

void HeadlessDriver::Tap(int key) {
    keys.at(key) = 1;
    tappedKeys.push_back(key);
}

void HeadlessDriver::SetMouse(int x, int y) {
    mouseX = x;
    mouseY = y;
}

void HeadlessDriver::HoldButton(int button) {
    buttons |= SDL_BUTTON(button);
}

void HeadlessDriver::ReleaseButton(int button) {
    buttons &= ~SDL_BUTTON(button);
}

void HeadlessDriver::Click(int button) {
    buttons |= SDL_BUTTON(button);
    clickedButtons |= SDL_BUTTON(button);
}

bool HeadlessDriver::Frame() {
    if (Ended()) {
        return false;
    }
    g_input->SetState(keys.data(), mouseX, mouseY, buttons);
    g_lastTicks += frameDelta;
    g_frameDelta = frameDelta;
    UpdateFrontScreen();
    ++frameCount;
    for (int key : tappedKeys) {
        keys.at(key) = 0;
    }
    tappedKeys.clear();
    buttons &= ~clickedButtons;
    clickedButtons = 0;
    return !Ended();
}

void HeadlessDriver::Frames(int n) {
    for (int i = 0; i < n && Frame(); ++i) {
    }
}

bool HeadlessDriver::RunUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        if (done()) {
            return true;
        }
        if (!Frame()) {
            return done();
        }
    }
    return done();
}

void HeadlessDriver::RunScript(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb)) {
            continue;
        }
        std::string arg;
        if (verb == "frames") {
            int n = 0;
            words >> n;
            Frames(n);
        } else if (verb == "delta") {
            words >> frameDelta;
        } else if (verb == "mouse") {
            words >> mouseX >> mouseY;
        } else if (verb == "click") {
            words >> arg;
            Click(arg == "right" ? kButtonRight : kButtonLeft);
            Frame();
        } else if (verb == "type") {
            words >> arg;
            for (char c : arg) {
                Tap(KeyByName(std::string(1, c)));
                Frame();
                Frame();
            }
        } else if (words >> arg, KeyByName(arg) >= 0) {
            int key = KeyByName(arg);
            if (verb == "tap") {
                Tap(key);
                Frame();
            } else if (verb == "hold") {
                Hold(key);
            } else if (verb == "release") {
                Release(key);
            } else {
                throw std::runtime_error("bad script line: " + line);
            }
        } else {
            throw std::runtime_error("bad script line: " + line);
        }
    }
}

Uint32 HeadlessDriver::PixelAt(int x, int y) const {
    SDL_Surface* screen = g_display->GetScreen();
    SDL_LockSurface(screen);
    Uint32 pixel =
        *reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch + x * 4);
    SDL_UnlockSurface(screen);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
}

int HeadlessDriver::CountColour(Uint32 rgb, int x0, int y0, int w, int h) const {
    int count = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            if (PixelAt(x, y) == rgb) {
                ++count;
            }
        }
    }
    return count;
}

int KeyByName(const std::string& name) {
    if (name == "space")
        return kKeySpace;
    if (name == "return")
        return kKeyReturn;
    if (name == "escape")
        return kKeyEscape;
    if (name == "backspace")
        return kKeyBackspace;
    if (name == "up")
        return kKeyUp;
    if (name == "down")
        return kKeyDown;
    if (name == "left")
        return kKeyLeft;
    if (name == "right")
        return kKeyRight;
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return name[0];
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        return name[0];
    return -1;
}
