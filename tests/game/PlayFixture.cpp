#include "game/PlayFixture.h"

#include <SDL_mixer.h>
#include <sys/stat.h>

#include <cstdlib>

#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "engine/StateStack.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"

namespace {

SDL_Surface* SolidSurface(int w, int h, Uint32 rgb) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    SDL_FillRect(surface, nullptr, rgb);
    return surface;
}

void WriteImage(const TempGameDir& dir, const std::string& name, int w, int h, Uint32 rgb) {
    SDL_Surface* surface = SolidSurface(w, h, rgb);
    SDL_SaveBMP(surface, dir.File(name).c_str());
    SDL_FreeSurface(surface);
    dir.ListSprite(name);
}

// A second of silence, 22050 Hz 16-bit stereo.
std::string SilentWav() {
    const Uint32 size = 22050 * 4;
    std::string wav;
    auto put = [&wav](Uint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            wav += static_cast<char>(value >> (8 * i));
        }
    };
    wav += "RIFF";
    put(36 + size, 4);
    wav += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(2, 2);
    put(22050, 4);
    put(size, 4);  // bytes a second
    put(4, 2);
    put(16, 2);
    wav += "data";
    put(size, 4);
    return wav + std::string(size, '\0');
}

}  // namespace

std::vector<std::string> EmptyLevel() {
    return std::vector<std::string>(12, std::string(16, '.'));
}

Sprite* SolidSprite(int w, int h, Uint32 rgb) {
    return new Sprite(SolidSurface(w, h, rgb));
}

PlayFixture::PlayFixture() : dir(false) {
    // Headless, but with a mixer, so that the sound rules can be heard.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    mkdir(dir.File("gdat").c_str(), 0755);
    mkdir(dir.File("sdat").c_str(), 0755);
    for (char kind = 'a'; kind <= 'd'; ++kind) {
        WriteImage(dir, std::string("gdat\\ground_") + kind + ".png", 40, kGroundH, 0x8B4513);
    }
    WriteImage(dir, "gdat\\heart.png", kHeartW, 16, kHeartColour);
    WriteImage(dir, "gdat\\ball.png", kBallSize, kBallSize, kBallColour);
    WriteImage(dir, "gdat\\crosshair.png", 6, 6, kCrosshairColour);
    for (const char* stem :
         {"gdat\\tovik_walk_left", "gdat\\tovik_walk_right", "gdat\\zombie_walking_left",
          "gdat\\zombie_walking_right", "gdat\\zombie_break_left", "gdat\\zombie_break_right"}) {
        Uint32 colour = std::string(stem).find("tovik") != std::string::npos ? 0x00FF80 : 0x808080;
        for (int i = 1; i <= 10; ++i) {
            WriteImage(dir, stem + std::to_string(i) + ".png", kPlayerW, kPlayerH, colour);
        }
    }
    const std::string wav = SilentWav();
    std::string manifest;
    for (const char* name :
         {"sdat\\tovik_pain1.ogg", "sdat\\tovik_pain2.ogg", "sdat\\tovik_pain3.ogg",
          "sdat\\zombie_death1.ogg", "sdat\\zombie_death2.ogg", "sdat\\zombie_death3.ogg",
          "sdat\\bounce_1.ogg", "sdat\\bounce_2.ogg", "sdat\\bounce_3.ogg", "sdat\\music1.ogg",
          "sdat\\music2.ogg"}) {
        dir.Write(name, wav);
        manifest += std::string(name) + "\n";
    }
    dir.Write("sdat\\sounds.txt", manifest);
}

PlayFixture::~PlayFixture() = default;

void PlayFixture::AddLevel(const std::string& name, const std::vector<std::string>& rows) {
    dir.AddLevelImage(name, rows);
}

void PlayFixture::Boot() {
    if (!driver) {
        driver.reset(new HeadlessDriver(dir.Path()));
        ASSERT_TRUE(driver->Started());
        driver->Frame();
    }
}

PlayState* PlayFixture::Play(const std::string& name, Player* player) {
    Boot();
    PlayState* play = new PlayState(name, player ? player : new Player());
    PopState();
    PushState(play);
    return play;
}

PlayState* PlayFixture::Front() {
    return driver->FrontAs<PlayState>();
}

void PlayFixture::Input(const std::vector<int>& keys, Uint32 delta) {
    std::vector<Uint8> state(g_input->KeyCount(), 0);
    for (int key : keys) {
        state[key] = 1;
    }
    g_input->SetState(state.data(), 320, 240, 0);
    g_frameDelta = delta;
    g_lastTicks += delta;
}

int PlayFixture::Playing(Sound* const* sounds, int count) {
    int playing = 0;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        for (int i = 0; i < count; ++i) {
            if (sounds[i] && Mix_Playing(channel) &&
                Mix_GetChunk(channel) == sounds[i]->GetChunk()) {
                ++playing;
            }
        }
    }
    return playing;
}

void PlayFixture::Silence() {
    Mix_HaltChannel(-1);
}

void PlayFixture::ClearBalls(PlayState* play) {
    for (Ball* ball : play->GetBalls()) {
        delete ball;
    }
    play->GetBalls().clear();
}
