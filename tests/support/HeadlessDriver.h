#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

class GameState;

// Runs the real program (start-up, the screen stack, shutdown) frame by frame
// on SDL's dummy drivers, with a fixed frame delta and scripted input instead
// of the clock and the devices. rand is never seeded, so a script replays the
// same game every time.
class HeadlessDriver {
public:
    explicit HeadlessDriver(const std::string& workDir, Uint32 frameDelta = 16);
    ~HeadlessDriver();

    HeadlessDriver(const HeadlessDriver&) = delete;
    HeadlessDriver& operator=(const HeadlessDriver&) = delete;

    bool Started() const { return started; }
    bool Ended() const;
    GameState* Front() const;
    template <typename T>
    T* FrontAs() const {
        return dynamic_cast<T*>(Front());
    }

    void SetFrameDelta(Uint32 delta) { frameDelta = delta; }
    void Hold(int key);
    void Release(int key);
    // Down in the next frame only.
    void Tap(int key);
    void SetMouse(int x, int y);
    void HoldButton(int button);
    void ReleaseButton(int button);
    // Down in the next frame only.
    void Click(int button);

    // One frame; false once the program has ended.
    bool Frame();
    // Up to n frames; stops early when the program ends.
    void Frames(int n);
    // Frames until done() holds, at most maxFrames; true when it held.
    bool RunUntil(const std::function<bool()>& done, int maxFrames);
    // Runs a script of lines such as "tap space", "hold right", "release
    // right", "frames 30", "mouse 320 100", "click left", "type abc",
    // "delta 16"; '#' starts a comment.
    void RunScript(const std::string& script);

    Uint32 FrameCount() const { return frameCount; }
    // RGB of a pixel of the screen surface, as 0xRRGGBB.
    Uint32 PixelAt(int x, int y) const;
    // Pixels of the screen (or of a box of it) with exactly this colour.
    int CountColour(Uint32 rgb, int x = 0, int y = 0, int w = 640, int h = 480) const;

private:
    std::string previousDir;
    bool started;
    Uint32 frameDelta;
    Uint32 frameCount;
    std::vector<Uint8> keys;
    std::vector<int> tappedKeys;
    int mouseX;
    int mouseY;
    Uint8 buttons;
    Uint8 clickedButtons;
};

// Key code of a script name: "space", "return", "escape", "backspace", "up",
// "down", "left", "right", a letter or a digit; -1 if unknown.
int KeyByName(const std::string& name);
