#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/Platform.h"

class GameState;

// Runs the real program (start-up, the frame loop's own frame step, the
// screen stack, shutdown) in a game folder on SDL's dummy drivers, for the
// tests and the tools. As a platform it answers with its own clock, a fixed
// step a frame, and the events and input its user sets. rand is never
// seeded, so a program started afresh in a new process replays the same
// game for the same input.
class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(Uint32 frameDelta = 16);
    ~HeadlessPlatform() override;

    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // Starts the program in folder, silent when sound is false (no audio
    // device at all: nothing runs beside the frame step, so the process may
    // fork). The frame loop asks front, this platform when null; a platform
    // in front of this one (a recorder, say) passes the questions on.
    bool Start(const std::string& folder, bool sound = true, Platform* front = nullptr);
    bool Started() const { return started; }
    Uint32 FrameCount() const { return frameCount; }
    bool Ended() const;
    GameState* Front() const;
    template <typename T>
    T* FrontAs() const {
        return dynamic_cast<T*>(Front());
    }
    // The class name of the front screen, "ended" when there is none.
    std::string ScreenName() const;

    void Hold(int key) { keys.at(key) = 1; }
    void Release(int key) { keys.at(key) = 0; }
    // Down in the next frame only.
    void Tap(int key) { keys.at(key) = 1, tappedKeys.push_back(key); }
    void Click(int button) { buttons |= SDL_BUTTON(button); }
    void SetMouse(int x, int y) { mouseX = x, mouseY = y; }
    void SetFrameDelta(Uint32 delta) { frameDelta = delta; }
    // Time passes without a frame.
    void Wait(Uint32 ms) { ticks += ms; }
    // The game controller, as the next frames read it; or, with systemPad,
    // the first one SDL finds.
    PadState pad;
    bool systemPad = false;

    // One frame; false once the program has ended.
    virtual bool Frame();
    void Frames(int n);
    // Frames until done() holds, at most maxFrames; true when it held.
    bool RunUntil(const std::function<bool()>& done, int maxFrames);

    // Events for the next frame: an SDL event type; a new application state
    // (SDL_APPACTIVE and the focus bits), sent as the change.
    void Send(Uint8 type);
    void SetAppState(Uint8 state);

    // The platform, as the frame loop asks it.
    bool PollEvent(SDL_Event& event) override;
    Uint8 GetAppState() override { return appState; }
    Uint32 GetTicks() override { return ticks; }
    DeviceState ReadDevices() override;
    void HideCursor() override {}
    void Delay(Uint32 ms) override { slept += ms; }

protected:
    // The time the loop asked to sleep since the last call.
    Uint32 TakeSlept();

private:
    std::string previousDir;
    bool started = false;
    bool running = true;
    Uint32 ticks = 0;
    Uint32 slept = 0;
    Uint8 appState = SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS;
    std::vector<SDL_Event> events;
    Uint32 frameDelta;
    Uint32 frameCount = 0;
    std::vector<Uint8> keys;
    std::vector<int> tappedKeys;
    int mouseX = 320;
    int mouseY = 240;
    Uint8 buttons = 0;
};
