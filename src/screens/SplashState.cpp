#include "screens/SplashState.h"

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/StateStack.h"
#include "screens/MainMenuState.h"

SplashState::SplashState() : splash(g_display->LoadSprite("gdat\\splash.png", 0xFF000000)) {}

SplashState::~SplashState() {
    delete splash;
}

void SplashState::Update() {
    g_display->Blit(splash, 0, 0);
    g_display->Flip();
    g_resources->LoadSprites();
    g_resources->LoadSounds();
    PopState();
    PushState(new MainMenuState());
}
