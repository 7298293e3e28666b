#include "progress/PasswordState.h"

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
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
    : entry(kKey0, kKey9, '0', kPasswordLength, SDL_Rect{207, 300, 100, 50}),
      background(g_resources->GetSprite("gdat\\background.png")),
      font(g_display->LoadFont("gdat\\anglepoi.ttf", 32)) {}

PasswordState::~PasswordState() {
    delete font;
}

void PasswordState::Update() {
    Draw();
    HandleInput();
}

void PasswordState::Draw() {
    g_display->Blit(background, 0, 0);
    g_display->DrawText(font, 240, 20, kWhite, "Enter Password");
    entry.DrawText(font, 283, 140);
    entry.DrawConfirm(font);
    g_display->Flip();
}

void PasswordState::HandleInput() {
    // Main keyboard digits only; the lowest wins when several go down at once.
    entry.HandleTyping();
    if (entry.ConfirmRequested()) {
        Confirm();
    }
}

void PasswordState::Confirm() {
    const std::string& password = entry.Text();
    if (password.size() != kPasswordLength) {
        PopState();
        PushState(new MainMenuState());
        return;
    }
    std::string levelName;
    LevelLookup found = FindLevelByPassword(password, levelName);
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
