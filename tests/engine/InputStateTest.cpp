#include <gtest/gtest.h>

#include <vector>

#include "engine/InputState.h"
#include "engine/Keys.h"
#include "support/HeadlessDriver.h"
#include "support/TempGameDir.h"

namespace {

class InputStateTest : public ::testing::Test {
protected:
    TempGameDir dir{false};
    HeadlessDriver driver{dir.Path()};
    InputState input;
    std::vector<Uint8> keys = std::vector<Uint8>(input.KeyCount(), 0);

    void Snapshot(int mouseX = 0, int mouseY = 0, Uint8 buttons = 0) {
        input.SetState(keys.data(), mouseX, mouseY, buttons);
    }
};

TEST_F(InputStateTest, HeldKeyIsPressedOnlyInItsFirstFrameAndNewKeysTogetherAreAllPressed) {
    keys[kKeyRight] = 1;
    Snapshot();
    EXPECT_TRUE(input.IsKeyDown(kKeyRight));
    EXPECT_TRUE(input.IsKeyPressed(kKeyRight));
    for (int frame = 0; frame < 3; ++frame) {
        Snapshot();
        EXPECT_TRUE(input.IsKeyDown(kKeyRight));
        EXPECT_FALSE(input.IsKeyPressed(kKeyRight));
    }
    keys[kKeyRight] = 0;
    Snapshot();
    EXPECT_FALSE(input.IsKeyDown(kKeyRight));
    keys[kKeyRight] = 1;
    keys[kKeyUp] = 1;  // two new keys in one frame are both pressed
    Snapshot();
    EXPECT_TRUE(input.IsKeyPressed(kKeyRight));
    EXPECT_TRUE(input.IsKeyPressed(kKeyUp));
    EXPECT_FALSE(input.IsKeyPressed(kKeySpace));
    // Codes outside the table are never down.
    EXPECT_FALSE(input.IsKeyDown(-1));
    EXPECT_FALSE(input.IsKeyPressed(input.KeyCount()));
}

TEST_F(InputStateTest, ButtonsAreEdgesPerButton) {
    Snapshot(10, 10, SDL_BUTTON(kButtonLeft));
    EXPECT_TRUE(input.IsButtonPressed(kButtonLeft));
    EXPECT_FALSE(input.IsButtonPressed(kButtonRight));
    Snapshot(10, 10, SDL_BUTTON(kButtonLeft));
    EXPECT_FALSE(input.IsButtonPressed(kButtonLeft));
    Snapshot(10, 10, SDL_BUTTON(kButtonLeft) | SDL_BUTTON(kButtonRight));
    EXPECT_FALSE(input.IsButtonPressed(kButtonLeft));
    EXPECT_TRUE(input.IsButtonPressed(kButtonRight));
    Snapshot(10, 10, 0);
    Snapshot(10, 10, SDL_BUTTON(kButtonLeft));
    EXPECT_TRUE(input.IsButtonPressed(kButtonLeft));
    EXPECT_FALSE(input.IsButtonPressed(0));
    EXPECT_FALSE(input.IsButtonPressed(9));
}

TEST_F(InputStateTest, MousePositionIsClampedToTheWindow) {
    Snapshot(640, 480);
    EXPECT_EQ(input.GetMouseX(), 639);
    EXPECT_EQ(input.GetMouseY(), 479);
    Snapshot(-5, -1);
    EXPECT_EQ(input.GetMouseX(), 0);
    EXPECT_EQ(input.GetMouseY(), 0);
    Snapshot(320, 240);
    EXPECT_EQ(input.GetMouseX(), 320);
    EXPECT_EQ(input.GetMouseY(), 240);
}

TEST_F(InputStateTest, RefreshFromSdlStartsWithNothingPressed) {
    // On the dummy driver nothing is held: a refresh reads all keys up.
    keys[kKeySpace] = 1;
    Snapshot();
    input.Refresh();
    EXPECT_FALSE(input.IsKeyDown(kKeySpace));
    EXPECT_FALSE(input.IsButtonPressed(kButtonLeft));
    EXPECT_GE(input.GetMouseX(), 0);
    EXPECT_LE(input.GetMouseX(), 639);
}

}  // namespace
