#pragma once

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include "engine/HeadlessPlatform.h"

struct Mix_Chunk;

// The tests' driver of the real program (HeadlessPlatform): scripts of
// input, and what the screen in front holds and shows. Every test runs in a
// process of its own, so a script replays the same game every time.
class Driver : public HeadlessPlatform {
public:
    // Started in folder, unless start is false: then Start() it, with a
    // platform in front of it if need be.
    explicit Driver(const std::string& folder, Uint32 frameDelta = 16, bool start = true);

    bool Frame() override;
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

    // Key code of a script name: "space", "return", "escape", "backspace",
    // "up", "down", "left", "right", "f11", "alt", a letter or a digit; -1
    // if unknown.
    static int KeyCode(const std::string& name);

private:
    void LogEffects();
    std::string SoundName(Mix_Chunk* chunk);

    bool iconifying = false;  // the window goes after the next frame
    bool flipped = true;      // the last frame finished a picture
    std::map<Mix_Chunk*, std::string> soundNames;
    std::string effects;
};
