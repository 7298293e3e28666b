#pragma once

#include <vector>

class AssetWriter;

// Synthesises the sound effects: three variants each of the player's cry of
// pain, a zombie crumbling to bones, and a ball's bounce.
//
// The loudness plan. Levels are RMS over a sound's audible part
// (common/Loudness.h) in dB full scale; the data checker holds the files to
// the plan's rules.
// - The music (Sequencer.cpp): the game plays it at half volume (-6 dB), so
//   its files at about -17 dBFS are heard at about -23.
// - A zombie breaking is the reward: clearly above the music, by 6 dB at
//   least; it is made at -12, about 10 dB above.
// - The player's pain is a warning, not a blast: never louder than a zombie
//   breaking; -14.
// - A bounce comes with every throw: under both; -21.
// - No clipping: every peak below -1 dBFS. Effects are limited to -3 dBFS,
//   so the Ogg encoder's overshoot stays clear of the line.
class EffectSynth {
public:
    static constexpr double kBreakRmsDb = -12;
    static constexpr double kPainRmsDb = -14;
    static constexpr double kBounceRmsDb = -21;
    static constexpr double kPeakCeilingDb = -3;

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
