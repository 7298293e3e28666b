#include "engine/SoundSystem.h"

#include <SDL_mixer.h>

#include "engine/DataFile.h"
#include "engine/Sound.h"

SoundSystem::SoundSystem() : open(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) == 0) {
    Mix_Volume(0, 64);
}

Sound* SoundSystem::LoadSound(const char* path) {
    if (!open) {
        return nullptr;
    }
    std::string bytes;
    SDL_RWops* file = ReadDataFile(path, kMaxAssetBytes, bytes) ? StreamOver(bytes) : nullptr;
    Mix_Chunk* chunk = file ? Mix_LoadWAV_RW(file, 1) : nullptr;
    if (!chunk) {
        return nullptr;
    }
    return new Sound(chunk);
}
