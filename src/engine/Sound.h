#pragma once

#include <SDL_mixer.h>

// One decoded sample, playable on a mixer channel.
class Sound {
public:
    explicit Sound(Mix_Chunk* chunk);
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // channel -1: any free channel; loops -1: for ever, 0: once. False when
    // the mixer refused (no free channel, no device).
    bool Play(int channel, int loops);
    Mix_Chunk* GetChunk() const { return chunk; }
    int GetChannel() const { return channel; }

private:
    Mix_Chunk* chunk;
    int channel;
};

// Play that tolerates a sound that failed to load: a missing sound is silent.
bool PlaySound(Sound* sound, int channel, int loops);
