// The browser's sound: emscripten's SDL_mixer layer plays through Web Audio
// and decodes a sound from its file by name (the decoding finishes in the
// background; a sound played before is heard once it is done). The layer
// opens 32 channels; the desktop mixes on SDL_mixer's 8, which decide when
// an effect is dropped, so the game gets 8 here too.
#include "engine/SoundSystem.h"

#include <SDL_mixer.h>

#include "engine/HostPath.h"
#include "engine/Sound.h"

namespace {

const int kChannels = 8;

}  // namespace

SoundSystem::SoundSystem() : open(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) == 0) {
    // The layer only ever adds channels; none drops them all first.
    Mix_AllocateChannels(0);
    Mix_AllocateChannels(kChannels);
    Mix_Volume(0, 64);
}

Sound* SoundSystem::LoadSound(const char* path) {
    if (!open) {
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(HostPath(path).c_str());
    return chunk ? new Sound(chunk) : nullptr;
}
