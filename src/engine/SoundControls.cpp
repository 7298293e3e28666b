// What the desktop's sound and the browser's do alike: closing, muting, and
// stopping the music on its channel 0.
#include <SDL_mixer.h>

#include "engine/SoundSystem.h"

SoundSystem::~SoundSystem() {
    if (open) {
        Mix_CloseAudio();
    }
}

void SoundSystem::SetMuted(bool muted) {
    if (open) {
        Mix_Volume(-1, muted ? 0 : MIX_MAX_VOLUME);
        Mix_Volume(0, muted ? 0 : 64);
    }
}

void SoundSystem::StopMusic() {
    if (open) {
        Mix_HaltChannel(0);
    }
}
