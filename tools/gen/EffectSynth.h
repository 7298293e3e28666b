#pragma once

#include <vector>

class AssetWriter;

// Synthesises the sound effects: three variants each of the player's cry of
// pain, a zombie crumbling to bones, and a ball's bounce.
class EffectSynth {
public:
    explicit EffectSynth(AssetWriter& writer) : writer(writer) {}

    void WriteAll();

    // Exposed for the tests of the generator's own output.
    static std::vector<float> Pain(int variant);
    static std::vector<float> ZombieDeath(int variant);
    static std::vector<float> Bounce(int variant);

private:
    void Save(const char* file, const std::vector<float>& mono);

    AssetWriter& writer;
};
