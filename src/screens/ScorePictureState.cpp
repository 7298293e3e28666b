#include "screens/ScorePictureState.h"

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/SoundSystem.h"
#include "engine/StateStack.h"
#include "progress/HighScoreEntryState.h"

ScorePictureState::ScorePictureState(const char* imageName, int finalScore)
    : image(nullptr), score(finalScore) {
    g_sound->StopMusic();
    image = g_resources->GetSprite(imageName);
}

void ScorePictureState::Update() {
    g_display->Blit(image, 0, 0);
    g_display->Flip();
    if (!g_input->IsKeyPressed(kKeySpace)) {
        return;
    }
    // PopState deletes this screen: keep the score first.
    int finalScore = score;
    PopState();
    PushState(new HighScoreEntryState(finalScore));
}
