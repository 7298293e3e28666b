#include "screens/MainMenuState.h"

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "progress/HighScoreTableState.h"
#include "progress/PasswordState.h"
#include "screens/StartScreenState.h"

MainMenuState::MainMenuState()
    : title(g_resources->GetSprite("gdat\\menutitle.png")),
      background(g_resources->GetSprite("gdat\\background.png")),
      font(g_display->LoadFont("gdat\\anglepoi.ttf", 32)),
      itemTexts{"New Game", "Enter Password", "High Scores", "Exit"},
      itemX{260, 232, 253, 290},
      itemY{100, 150, 200, 250},
      selected(0) {}

MainMenuState::~MainMenuState() { delete font; }

void MainMenuState::Update() {
    Draw();
    HandleInput();
}

void MainMenuState::Draw() {
    g_display->Blit(background, 0, 0);
    g_display->Blit(title, 0, 0);
    for (int i = 0; i < kItemCount; ++i) {
        g_display->DrawText(font, itemX[i], itemY[i], i == selected ? kWhite : kGrey,
                            itemTexts[i].c_str());
    }
    g_display->Flip();
}

void MainMenuState::HandleInput() {
    if (g_input->IsKeyPressed(kKeyDown)) {
        selected = (selected + 1) % kItemCount;
    } else if (g_input->IsKeyPressed(kKeyUp)) {
        selected = (selected + kItemCount - 1) % kItemCount;
    }
    if (g_input->IsKeyPressed(kKeySpace) || g_input->IsKeyPressed(kKeyReturn)) {
        Activate(selected);
    }
}

void MainMenuState::Activate(int index) {
    // PopState deletes this menu: nothing of it is touched afterwards.
    switch (index) {
        case 0:
            PopState();
            PushState(new StartScreenState());
            break;
        case 1:
            PopState();
            PushState(new PasswordState());
            break;
        case 2:
            PopState();
            PushState(new HighScoreTableState());
            break;
        default:
            PopState();
            break;
    }
}
