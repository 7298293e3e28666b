#include "progress/LevelOverState.h"

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
#include "screens/EndState.h"
#include "screens/PauseMenuState.h"

namespace {

const int kBonusMinute = 60000;
const Sint16 kLabelX = 150;
const Sint16 kValueX = 420;

void DrawRow(Font* font, Sint16 y, const char* label, const char* value) {
    g_display->DrawText(font, kLabelX, y, kWhite, label);
    g_display->DrawText(font, kValueX, y, kWhite, value);
}

void DrawRow(Font* font, Sint16 y, const char* label, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    DrawRow(font, y, label, text);
}

}  // namespace

LevelOverState::LevelOverState(const std::string& levelName, Player* stats)
    : background(nullptr), font(nullptr), player(stats) {
    font = g_display->LoadFont("gdat\\anglepoi.ttf", 24);
    background = g_resources->GetSprite("gdat\\background.png");
    // An unreadable list leaves both empty: the tally still counts, the
    // password row stays blank and Space ends the game.
    FindLevelAfter(levelName, levelPassword, nextLevel);

    oldScore = player->GetScore();
    healthLeft = player->GetHealth();
    ballsLeft = player->GetBalls();
    elapsedMs = static_cast<int>(g_lastTicks - player->GetLevelStartTicks());
    player->SetScore((3 * ballsLeft + healthLeft + 2) * 50 + oldScore + TimeBonus(elapsedMs));
}

LevelOverState::~LevelOverState() {
    delete font;
    delete player;
}

int LevelOverState::TimeBonus(int elapsed) {
    return elapsed < kBonusMinute ? (kBonusMinute - elapsed) / 200 : 0;
}

int LevelOverState::GetScore() const {
    return player->GetScore();
}

void LevelOverState::Update() {
    Draw();
    HandleInput();
}

void LevelOverState::Draw() {
    g_display->Blit(background, 0, 0);
    g_display->DrawText(font, 280, 5, kWhite, "Level Over");
    DrawRow(font, 50, "Original Score", oldScore);
    DrawRow(font, 100, "Level Bonus", "100");
    DrawRow(font, 140, "Ball Bonus", 150 * ballsLeft);
    DrawRow(font, 180, "Health Bonus", 50 * healthLeft);
    if (elapsedMs < kBonusMinute) {
        DrawRow(font, 220, "Time Bonus", TimeBonus(elapsedMs));
    } else {
        DrawRow(font, 220, "Time Bonus", "0");
    }
    DrawRow(font, 260, "Level Score", player->GetScore() - oldScore);
    DrawRow(font, 310, "New Score", player->GetScore());
    DrawRow(font, 350, "Level Password", levelPassword.c_str());
    g_display->DrawText(font, 255, 400, kWhite, "Space to Continue");
    g_display->Flip();
}

void LevelOverState::HandleInput() {
    if (g_input->IsKeyPressed(kKeySpace)) {
        // A successor that cannot be built counts as the end of the list.
        if (!nextLevel.empty() && PlayState::CanBuildLevel(nextLevel)) {
            PlayState* play = new PlayState(nextLevel, StatsCopy(*player));
            PopState();
            PushState(play);
        } else {
            int finalScore = player->GetScore();
            PopState();
            PushState(new EndState(finalScore));
        }
    } else if (g_input->IsKeyPressed(kKeyEscape)) {
        PushState(new PauseMenuState(player->GetScore()));
    }
}
