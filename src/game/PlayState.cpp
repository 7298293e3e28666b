// The play screen. Each frame first draws the state as the last frame left
// it (background, ground, heads-up display, player, zombies, balls,
// crosshair) and then runs the logic in a fixed order, each part seeing what
// the parts before it did: the player moves and picks up balls, the mouse
// sets the aim and may throw one ball, the balls fly, the zombies walk and
// are hit or hurt the player, a pain sound follows a lost heart, and the
// level ends by death, by reaching the bottom-right corner, or pauses.
#include "game/PlayState.h"

#include <cstdlib>

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"
#include "engine/Sound.h"
#include "engine/SoundSystem.h"
#include "engine/Sprite.h"
#include "engine/StateStack.h"
#include "game/Ball.h"
#include "game/Player.h"
#include "game/Truncate.h"
#include "game/Zombie.h"
#include "progress/HighScoreEntryState.h"
#include "progress/LevelOverState.h"
#include "screens/GameOverState.h"
#include "screens/PauseMenuState.h"

int g_levelCounter = 2;
bool g_playFirstTrack = true;

namespace {

Sprite* LookUpSprite(const char* name) {
    return g_resources ? g_resources->GetSprite(name) : nullptr;
}

Sound* LookUpSound(const char* name) {
    return g_resources ? g_resources->GetSound(name) : nullptr;
}

}  // namespace

PlayState::PlayState(const std::string& name, Player* newPlayer)
    : levelName(name),
      groundSprites{LookUpSprite("gdat\\ground_a.png"), LookUpSprite("gdat\\ground_b.png"),
                    LookUpSprite("gdat\\ground_c.png"), LookUpSprite("gdat\\ground_d.png")},
      groundHeight(groundSprites[0] ? groundSprites[0]->GetHeight() : 0),
      music(nullptr),
      painSounds{},
      deathSounds{},
      bounceSounds{},
      player(newPlayer ? newPlayer : new Player()),
      aimAngle(0.0f),
      heartSprite(LookUpSprite("gdat\\heart.png")),
      ballSprite(LookUpSprite("gdat\\ball.png")),
      crosshairSprite(LookUpSprite("gdat\\crosshair.png")),
      background(nullptr),
      font(nullptr),
      levelBuilt(false),
      focusLost(false) {
    font = g_display ? g_display->LoadFont("gdat\\anglepoi.ttf", 24) : nullptr;
    background = LookUpSprite("gdat\\gameback.png");
    tileGrid.Clear();
    if (CanBuildLevel(levelName)) {
        levelBuilt = LoadLevel(LookUpSprite(levelName.c_str()));
    }
    if (!levelBuilt) {
        // Never played, but the player is still a whole figure.
        player->Place(&animationTable);
    }
    painSounds[0] = LookUpSound("sdat\\tovik_pain1.ogg");
    painSounds[1] = LookUpSound("sdat\\tovik_pain2.ogg");
    painSounds[2] = LookUpSound("sdat\\tovik_pain3.ogg");
    deathSounds[0] = LookUpSound("sdat\\zombie_death1.ogg");
    deathSounds[1] = LookUpSound("sdat\\zombie_death2.ogg");
    deathSounds[2] = LookUpSound("sdat\\zombie_death3.ogg");
    bounceSounds[0] = LookUpSound("sdat\\bounce_1.ogg");
    bounceSounds[1] = LookUpSound("sdat\\bounce_2.ogg");
    bounceSounds[2] = LookUpSound("sdat\\bounce_3.ogg");
    if (levelBuilt) {
        StartMusic();
    }
}

PlayState::~PlayState() {
    delete font;
    for (Ball* ball : ballList) {
        delete ball;
    }
    for (Zombie* zombie : zombieList) {
        delete zombie;
    }
    delete player;
    ballList.clear();
    zombieList.clear();
}

void PlayState::StartMusic() {
    ++g_levelCounter;
    if (g_levelCounter % 3 != 0) {
        return;
    }
    if (g_playFirstTrack) {
        music = LookUpSound("sdat\\music1.ogg");
        g_playFirstTrack = false;
    } else {
        music = LookUpSound("sdat\\music2.ogg");
        g_playFirstTrack = true;
    }
    if (g_sound) {
        g_sound->StopMusic();
    }
    PlaySound(music, 0, -1);
}

bool PlayState::CanBuildLevel(const std::string& name) {
    Sprite* image = LookUpSprite(name.c_str());
    if (!image || image->GetWidth() < TileGrid::kColumns ||
        image->GetHeight() < 2 * TileGrid::kRows) {
        return false;
    }
    SDL_Surface* surface = image->GetSurface();
    if (surface->format->BytesPerPixel != 4) {
        return false;
    }
    bool hasStart = false;
    SDL_LockSurface(surface);
    for (int row = 0; row < TileGrid::kRows && !hasStart; ++row) {
        const Uint32* pixels = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(surface->pixels) + 2 * row * surface->pitch);
        for (int column = 0; column < TileGrid::kColumns; ++column) {
            if (pixels[column] == 0x00FF00) {
                hasStart = true;
                break;
            }
        }
    }
    SDL_UnlockSurface(surface);
    return hasStart;
}

void PlayState::Update() {
    if (!levelBuilt) {
        LeaveUnbuiltLevel();
        return;
    }
    g_display->Fill(0xFF000000);
    g_display->Blit(background, 0, 0);
    DrawTiles();
    DrawScene();
    g_display->Flip();
    Step();
}

void PlayState::LeaveUnbuiltLevel() {
    // As "Exit to Menu" does: the score still gets its chance at the table.
    int score = player->GetScore();
    if (g_sound) {
        g_sound->StopMusic();
    }
    PopState();
    PushState(new HighScoreEntryState(score));
}

void PlayState::TakeAim() {
    int lift = (g_input->GetMouseY() - kScreenHeight) * 2;
    aimAngle = static_cast<float>(lift) * 0.0021816667f + 1.0472f;
}

void PlayState::Step() {
    UpdatePlayer();
    TakeAim();
    if (g_input->IsButtonPressed(kButtonLeft)) {
        Throw(0);
    } else if (g_input->IsButtonPressed(kButtonRight)) {
        Throw(1);
    }
    UpdateBalls();
    int healthBefore = player->GetHealth();
    UpdateZombies();
    int health = player->GetHealth();
    if (health != healthBefore && health != 0) {
        PlaySound(painSounds[std::rand() % 3], -1, 0);
    }

    // PopState deletes this screen: whatever the next one needs is taken first.
    if (health < 1) {
        int score = player->GetScore();
        PopState();
        PushState(new GameOverState(score));
        return;
    }
    bool onBottomGround =
        TruncToInt(player->GetY()) + player->Height() == kScreenHeight - groundHeight;
    bool atRightEdge = TruncToInt(player->GetX()) + player->Width() >= kScreenWidth - 1;
    if (onBottomGround && atRightEdge) {
        GameState* tally = new LevelOverState(levelName, StatsCopy(*player));
        PopState();
        PushState(tally);
        return;
    }
    // A window that lost the focus pauses as Escape does.
    if (g_input->IsKeyPressed(kKeyEscape) || focusLost) {
        focusLost = false;
        PushState(new PauseMenuState(player->GetScore()));
    }
}
