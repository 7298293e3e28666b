#include "progress/HighScoreTableState.h"

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "screens/MainMenuState.h"

HighScoreTableState::HighScoreTableState() {
    // The file keeps the lowest score first; the table shows it last. An
    // unreadable file leaves every row empty.
    HighScoreLine lines[kHighScoreCount];
    ReadHighScores(lines);
    for (int k = 0; k < kHighScoreCount; ++k) {
        names[kHighScoreCount - 1 - k] = lines[k].name;
        scoreTexts[kHighScoreCount - 1 - k] = lines[k].scoreText;
    }
    font = g_display->LoadFont("gdat\\anglepoi.ttf", 32);
    background = g_resources->GetSprite("gdat\\background.png");
}

HighScoreTableState::~HighScoreTableState() {
    delete font;
}

void HighScoreTableState::Update() {
    Draw();
    HandleInput();
}

void HighScoreTableState::Draw() {
    g_display->Blit(background, 0, 0);
    g_display->DrawText(font, 262, 10, kWhite, "High Scores");
    for (int i = 0; i < kHighScoreCount; ++i) {
        Sint16 y = static_cast<Sint16>(50 + 35 * i);
        g_display->DrawText(font, 180, y, kWhite, names[i].c_str());
        g_display->DrawText(font, 420, y, kWhite, scoreTexts[i].c_str());
    }
    g_display->DrawText(font, 245, 400, kWhite, "Space to Return");
    g_display->Flip();
}

void HighScoreTableState::HandleInput() {
    if (g_input->IsKeyPressed(kKeySpace)) {
        PopState();
        PushState(new MainMenuState());
    }
}
