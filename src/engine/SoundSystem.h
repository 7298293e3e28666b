#pragma once

class Sound;

// The opened audio device: 22050 Hz, signed 16-bit stereo. Channel 0 is the
// music channel at half volume. Without a device the game plays silently.
class SoundSystem {
public:
    SoundSystem();
    ~SoundSystem();

    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    bool IsOpen() const { return open; }
    Sound* LoadSound(const char* path);
    void StopMusic();
    // Every channel silent, or back at its volume; sounds go on playing, so
    // nothing of the game changes but what is heard.
    void SetMuted(bool muted);

private:
    bool open;
};
