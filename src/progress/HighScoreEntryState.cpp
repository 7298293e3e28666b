#include "progress/HighScoreEntryState.h"

#include <cstdio>

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "progress/HighScoreTableState.h"
#include "progress/HighScores.h"
#include "screens/MainMenuState.h"

namespace {

const std::string::size_type kNameLength = 3;

}  // namespace

HighScoreEntryState::HighScoreEntryState(int finalScore)
    : name(kKeyA, kKeyZ, 'A', kNameLength, SDL_Rect{207, 400, 200, 50}),
      score(finalScore),
      qualifies(false),
      writeFailed(false) {
    // A missing or unreadable file reads as empty lines of value 0, as the
    // insertion itself reads it.
    int lowest = 0;
    LowestHighScore(lowest);
    qualifies = lowest < score;
    font = g_display->LoadFont("gdat\\anglepoi.ttf", 32);
    background = g_resources->GetSprite("gdat\\background.png");
}

HighScoreEntryState::~HighScoreEntryState() {
    delete font;
}

void HighScoreEntryState::Update() {
    if (!qualifies) {
        PopState();
        PushState(new MainMenuState());
        return;
    }
    Draw();
    HandleInput();
}

void HighScoreEntryState::Draw() {
    char text[64];
    g_display->Blit(background, 0, 0);
    std::snprintf(text, sizeof text, "You got a high score of %d", score);
    g_display->DrawText(font, 190, 10, kWhite, text);
    g_display->DrawText(font, 235, 60, kWhite, "Enter Your Name");
    name.DrawText(font, 300, 140);
    if (writeFailed) {
        // Otherwise nothing would tell the player why Return does nothing.
        g_display->DrawText(font, 132, 195, kWhite, "The score could not be saved");
        g_display->DrawText(font, 112, 230, kWhite, "Enter tries again, Escape goes on");
    }
    name.DrawConfirm(font);
    g_display->Flip();
}

void HighScoreEntryState::HandleInput() {
    name.HandleTyping();
    if (name.Text().size() == kNameLength && name.ConfirmRequested()) {
        Confirm();
        return;
    }
    if (writeFailed && g_input->IsKeyPressed(kKeyEscape)) {
        PopState();
        PushState(new MainMenuState());
    }
}

void HighScoreEntryState::Confirm() {
    char line[32];
    std::snprintf(line, sizeof line, "%s:%d", name.Text().c_str(), score);
    if (InsertHighScore(line, score) == HighScoreWrite::NotWritten) {
        // The screen stays; another Return tries again.
        writeFailed = true;
        return;
    }
    PopState();
    PushState(new HighScoreTableState());
}
