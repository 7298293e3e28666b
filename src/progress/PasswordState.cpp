#include "progress/PasswordState.h"

#include <cstdio>

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/LevelList.h"
#include "screens/MainMenuState.h"

namespace {

const std::string::size_type kPasswordLength = 6;

}  // namespace

PasswordState::PasswordState()
    : background(g_resources->GetSprite("gdat\\background.png")),
      font(g_display->LoadFont("gdat\\anglepoi.ttf", 32)) {
    confirmBox.x = 207;
    confirmBox.y = 300;
    confirmBox.w = 100;
    confirmBox.h = 50;
}

PasswordState::~PasswordState() {
    delete font;
}

void PasswordState::Update() {
    Draw();
    HandleInput();
}

void PasswordState::Draw() {
    char text[32];
    g_display->Blit(background, 0, 0);
    g_display->DrawText(font, 240, 20, kWhite, "Enter Password");
    std::snprintf(text, sizeof text, (g_lastTicks / 500) % 2 == 0 ? "%s_" : "%s", entry.c_str());
    g_display->DrawText(font, 283, 140, kWhite, text);
    g_display->DrawText(font, confirmBox.x, confirmBox.y, kWhite, "Press Enter to Confirm");
    g_display->Flip();
}

void PasswordState::HandleInput() {
    // Main keyboard digits only; the lowest wins when several go down at once.
    if (entry.size() < kPasswordLength) {
        for (int key = kKey0; key <= kKey9; ++key) {
            if (g_input->IsKeyPressed(key)) {
                entry += static_cast<char>('0' + (key - kKey0));
                break;
            }
        }
    }
    if (g_input->IsKeyPressed(kKeyBackspace) && !entry.empty()) {
        entry.pop_back();
    }
    if (ConfirmRequested()) {
        Confirm();
    }
}

bool PasswordState::ConfirmRequested() const {
    if (g_input->IsKeyPressed(kKeyReturn)) {
        return true;
    }
    int x = g_input->GetMouseX();
    int y = g_input->GetMouseY();
    return g_input->IsButtonPressed(kButtonLeft) && x > confirmBox.x &&
           x < confirmBox.x + confirmBox.w && y > confirmBox.y && y < confirmBox.y + confirmBox.h;
}

void PasswordState::Confirm() {
    if (entry.size() != kPasswordLength) {
        PopState();
        PushState(new MainMenuState());
        return;
    }
    std::string levelName;
    LevelLookup found = FindLevelByPassword(entry, levelName);
    if (found == LevelLookup::NotFound) {
        PopState();
        PushState(new MainMenuState());
        return;
    }
    // An unreadable list, or a listed level with no usable image: the screen
    // stays, and Backspace plus a confirmation still lead back to the menu.
    if (found == LevelLookup::Unreadable || !PlayState::CanBuildLevel(levelName)) {
        return;
    }
    g_levelCounter = 2;
    PlayState* play = new PlayState(levelName, new Player());
    PopState();
    PushState(play);
}
