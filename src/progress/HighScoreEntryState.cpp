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
    : score(finalScore), qualifies(false), writeFailed(false) {
    // A missing or unreadable file reads as empty lines of value 0, as the
    // insertion itself reads it.
    int lowest = 0;
    LowestHighScore(lowest);
    qualifies = lowest < score;
    font = g_display->LoadFont("gdat\\anglepoi.ttf", 32);
    background = g_resources->GetSprite("gdat\\background.png");
    confirmBox.x = 207;
    confirmBox.y = 400;
    confirmBox.w = 200;
    confirmBox.h = 50;
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
    std::snprintf(text, sizeof text, (g_lastTicks / 500) % 2 == 0 ? "%s_" : "%s", name.c_str());
    g_display->DrawText(font, 300, 140, kWhite, text);
    g_display->DrawText(font, confirmBox.x, confirmBox.y, kWhite, "Press Enter to Confirm");
    g_display->Flip();
}

void HighScoreEntryState::HandleInput() {
    if (name.size() < kNameLength) {
        for (int key = kKeyA; key <= kKeyZ; ++key) {
            if (g_input->IsKeyPressed(key)) {
                name += static_cast<char>('A' + (key - kKeyA));
                break;
            }
        }
    }
    if (g_input->IsKeyPressed(kKeyBackspace) && !name.empty()) {
        name.pop_back();
    }
    if (name.size() == kNameLength && ConfirmRequested()) {
        Confirm();
        return;
    }
    if (writeFailed && g_input->IsKeyPressed(kKeyEscape)) {
        PopState();
        PushState(new MainMenuState());
    }
}

bool HighScoreEntryState::ConfirmRequested() const {
    if (g_input->IsKeyPressed(kKeyReturn)) {
        return true;
    }
    int x = g_input->GetMouseX();
    int y = g_input->GetMouseY();
    return g_input->IsButtonPressed(kButtonLeft) && x > confirmBox.x &&
           x < confirmBox.x + confirmBox.w && y > confirmBox.y && y < confirmBox.y + confirmBox.h;
}

void HighScoreEntryState::Confirm() {
    char line[32];
    std::snprintf(line, sizeof line, "%s:%d", name.c_str(), score);
    if (InsertHighScore(line, score) == HighScoreWrite::NotWritten) {
        // The screen stays; another Return tries again.
        writeFailed = true;
        return;
    }
    PopState();
    PushState(new HighScoreTableState());
}
