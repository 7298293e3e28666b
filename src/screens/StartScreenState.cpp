#include "screens/StartScreenState.h"

#include <string>

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/StateStack.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "progress/LevelList.h"

StartScreenState::StartScreenState() : image(g_resources->GetSprite("gdat\\start.png")) {}

void StartScreenState::Update() {
    g_display->Blit(image, 0, 0);
    g_display->Flip();
    if (!g_input->IsKeyPressed(kKeySpace)) {
        return;
    }
    // An unreadable list, or a first level that cannot be built, leaves the
    // screen as it is; a later Space tries again.
    std::string levelName;
    if (FirstLevel(levelName) == LevelLookup::Unreadable || !PlayState::CanBuildLevel(levelName)) {
        return;
    }
    // Every new game begins with a change of music.
    g_levelCounter = 2;
    PlayState* play = new PlayState(levelName, new Player());
    PopState();
    PushState(play);
}
