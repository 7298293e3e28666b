#include "engine/Sound.h"

Sound::Sound(Mix_Chunk* chunk) : chunk(chunk), channel(-1) {}

Sound::~Sound() {
    if (chunk) {
        Mix_FreeChunk(chunk);
    }
}

bool Sound::Play(int requestedChannel, int loops) {
    int used = Mix_PlayChannelTimed(requestedChannel, chunk, loops, -1);
    if (used == -1) {
        return false;
    }
    channel = used;
    return true;
}

bool PlaySound(Sound* sound, int channel, int loops) {
    return sound != nullptr && sound->Play(channel, loops);
}
