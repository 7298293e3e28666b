#include "screens/PauseMenuState.h"

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/SoundSystem.h"
#include "engine/StateStack.h"
#include "progress/HighScoreEntryState.h"

PauseMenuState::PauseMenuState(int currentScore)
    : background(g_resources->GetSprite("gdat\\background.png")),
      title(g_resources->GetSprite("gdat\\menutitle.png")),
      font(g_display->LoadFont("gdat\\anglepoi.ttf", 32)),
      itemTexts{"Return to Game", "Exit to Menu", "Exit Game"},
      itemX{240, 254, 266},
      itemY{100, 150, 200},
      selected(0),
      score(currentScore) {}

PauseMenuState::~PauseMenuState() {
    delete font;
}

void PauseMenuState::Update() {
    Draw();
    HandleInput();
}

void PauseMenuState::Draw() {
    g_display->Blit(background, 0, 0);
    g_display->Blit(title, 0, 0);
    for (int i = 0; i < kItemCount; ++i) {
        g_display->DrawText(font, itemX[i], itemY[i], i == selected ? kWhite : kGrey,
                            itemTexts[i].c_str());
    }
    g_display->Flip();
}

void PauseMenuState::HandleInput() {
    if (g_input->IsKeyPressed(kKeyDown)) {
        selected = (selected + 1) % kItemCount;
    } else if (g_input->IsKeyPressed(kKeyUp)) {
        selected = (selected + kItemCount - 1) % kItemCount;
    }
    if (g_input->IsKeyPressed(kKeySpace) || g_input->IsKeyPressed(kKeyReturn)) {
        Activate(selected);
    }
}

void PauseMenuState::Activate(int index) {
    // The first PopState deletes this menu, the second the paused screen
    // beneath it: nothing of the menu is touched after the first.
    switch (index) {
        case 0:
            PopState();
            break;
        case 1: {
            int finalScore = score;
            g_sound->StopMusic();
            PopState();
            PopState();
            PushState(new HighScoreEntryState(finalScore));
            break;
        }
        default:
            PopState();
            PopState();
            break;
    }
}
