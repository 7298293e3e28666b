#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

class PlayState;
class Player;
class Sound;
class Sprite;

// Sizes of the test art.
const int kPlayerW = 20, kPlayerH = 40, kGroundH = 10, kBallSize = 8, kHeartW = 20;
// Colours of the test art, as 0xRRGGBB.
const Uint32 kHeartColour = 0xFF2020, kBallColour = 0xFFFF00, kCrosshairColour = 0xFF00FF;

// A level of 12 image rows with nothing on it.
std::vector<std::string> EmptyLevel();

// An in-memory sprite of w x h in one colour (0 is black, that is empty).
Sprite* SolidSprite(int w, int h, Uint32 rgb);

// A game folder of the test's own art and sounds, driven by the headless
// program: the player and zombies are solid 20 x 40 blocks, ground tiles
// 40 x 10, the ball 8 x 8, the heart 20 wide; every sound is a short WAV.
class PlayFixture : public ::testing::Test {
protected:
    PlayFixture();
    ~PlayFixture() override;

    void AddLevel(const std::string& name, const std::vector<std::string>& rows);
    // Starts the program (loading everything listed so far) on first use.
    void Boot();
    // Replaces the front screen by a play screen of the level.
    PlayState* Play(const std::string& name, Player* player = nullptr);
    PlayState* Front();

    // Sets the input snapshot (held keys) and the frame delta, as a frame would.
    void Input(const std::vector<int>& keys, Uint32 delta = 16);
    // How many channels are playing one of the given sounds.
    static int Playing(Sound* const* sounds, int count);
    static void Silence();
    static void ClearBalls(PlayState* play);

    TempGameDir dir;
    std::unique_ptr<HeadlessDriver> driver;
};
