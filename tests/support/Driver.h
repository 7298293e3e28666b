#pragma once

#include <SDL.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/Platform.h"

class GameState;
struct Mix_Chunk;

// Runs the real program (start-up, the frame loop's own frame step, the
// screen stack, shutdown) in a game folder on SDL's dummy drivers. As the
// program's platform it answers with its own clock, a fixed step a frame,
// and scripted events and input. rand is never seeded and every test runs
// in a process of its own, so a script replays the same game every time.
class Driver : public Platform {
public:
    explicit Driver(const std::string& folder, Uint32 frameDelta = 16);
    ~Driver();

    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

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
    // The game controller, as the next frames read it; or, with systemPad,
    // the first one SDL finds.
    PadState pad;
    bool systemPad = false;

    // One frame; false once the program has ended.
    bool Frame();
    void Frames(int n);
    // Frames until done() holds, at most maxFrames; true when it held.
    bool RunUntil(const std::function<bool()>& done, int maxFrames);
    // One step of a script, as tests/replays/README.md lists them ("tap
    // space", "frames 30", ...). Returns what went wrong, empty when done.
    std::string Do(const std::string& line);

    // What the front screen holds, a fact a line, and the sounds: the music
    // channel now and the effects started since the last call, each with
    // the frame that started it.
    std::vector<std::string> Describe();
    // The picture: its size and checksum, then each colour with its pixel
    // count and the box it covers, most pixels first.
    std::vector<std::string> Picture() const;
    // RGB of a screen pixel as 0xRRGGBB.
    Uint32 PixelAt(int x, int y) const;
    // The frame clock as the game holds it, and the time the loop asked to
    // sleep since the last call.
    std::string Clock();

    // The platform, as the frame loop asks it.
    bool PollEvent(SDL_Event& event) override;
    Uint8 GetAppState() override { return appState; }
    Uint32 GetTicks() override { return ticks; }
    DeviceState ReadDevices() override;
    void HideCursor() override {}
    void Delay(Uint32 ms) override { slept += ms; }

    // Key code of a script name: "space", "return", "escape", "backspace",
    // "up", "down", "left", "right", "f11", "alt", a letter or a digit; -1
    // if unknown.
    static int KeyCode(const std::string& name);

private:
    // Events for the next frame: an SDL event type; a new application state
    // (SDL_APPACTIVE and the focus bits), sent as the change.
    void Send(Uint8 type);
    void SetAppState(Uint8 state);
    void LogEffects();
    std::string SoundName(Mix_Chunk* chunk);

    std::string previousDir;
    bool started;
    bool running = true;
    Uint32 ticks = 0;
    Uint32 slept = 0;
    Uint8 appState = SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS;
    bool iconifying = false;  // the window goes after the next frame
    std::vector<SDL_Event> events;
    Uint32 frameDelta;
    Uint32 frameCount;
    std::vector<Uint8> keys;
    std::vector<int> tappedKeys;
    int mouseX;
    int mouseY;
    Uint8 buttons;
    std::map<Mix_Chunk*, std::string> soundNames;
    std::string effects;
};
