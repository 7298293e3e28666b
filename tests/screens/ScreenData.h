#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>
#include <vector>

class HeadlessDriver;
class TempGameDir;

// Colours of the menus' text as the screen shows them.
const Uint32 kWhiteRgb = 0xFFFFFF;
const Uint32 kGreyRgb = 0x808080;

// Colours of the plain pictures, so that a test can tell which one is shown.
const Uint32 kStartRgb = 0xC00000;
const Uint32 kGameOverRgb = 0x00C000;
const Uint32 kEndRgb = 0x0000C0;
const Uint32 kBackgroundRgb = 0x010101;

// A data folder of its own without the generated art: dark backgrounds,
// one-coloured start, game-over and end pictures and a known font, so that
// the only white and grey pixels on a menu are its text. No sounds.
void WritePlainScreenData(const TempGameDir& dir);

// Writes a one-coloured 24-bit picture under a data name and lists it.
void WritePicture(const TempGameDir& dir, const std::string& name, int width, int height,
                  Uint32 rgb);

// True when text drawn with the game's font at this size, with its top-left
// corner at (x, y), is what the screen shows there in the colour rgb: every
// pixel of the glyphs has that colour, and no other pixel of their box,
// widened by room for one more glyph, has it. Needs a started driver.
bool ShowsText(const HeadlessDriver& driver, const TempGameDir& dir, int pointSize, int x, int y,
               const std::string& text, Uint32 rgb = kWhiteRgb);

// Number of pixels the glyphs of the text cover at this size.
int TextPixels(const TempGameDir& dir, int pointSize, const std::string& text);

// Endless sound on the music channel, made in memory; stopped and freed when
// it goes out of scope (before the driver shuts the mixer down).
class TestMusic {
public:
    TestMusic();
    ~TestMusic();

    TestMusic(const TestMusic&) = delete;
    TestMusic& operator=(const TestMusic&) = delete;

    // False when the mixer could not open a device on this machine.
    bool Playing() const { return chunk != nullptr && Mix_Playing(0) != 0; }
    bool Available() const { return chunk != nullptr; }

private:
    std::vector<Uint8> samples;
    Mix_Chunk* chunk;
};
