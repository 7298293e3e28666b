#include "gen/EffectSynth.h"

#include <algorithm>
#include <cmath>

#include "common/Loudness.h"
#include "gen/AssetWriter.h"
#include "gen/Biquad.h"
#include "gen/OggWriter.h"
#include "gen/Paint.h"

namespace {

const double kRate = OggWriter::kRate;

size_t Samples(double seconds) {
    return static_cast<size_t>(seconds * kRate);
}

// Fades the ends, so nothing clicks, then brings the sound to its planned
// RMS; peaks that would pass the ceiling are bent under it by a soft
// limiter, and the gain is found again until both hold.
void Finish(std::vector<float>& samples, double rmsDb) {
    const size_t fade = std::min(samples.size() / 4, Samples(0.004));
    for (size_t i = 0; i < fade; ++i) {
        const float g = static_cast<float>(i) / fade;
        samples[i] *= g;
        samples[samples.size() - 1 - i] *= g;
    }
    const double ceiling = std::pow(10.0, EffectSynth::kPeakCeilingDb / 20);
    const double knee = 0.6 * ceiling;
    for (int pass = 0; pass < 12; ++pass) {
        const Loudness now = MeasureLoudness(samples);
        if (now.rmsDb <= -200) {
            return;
        }
        const double gain = std::pow(10.0, (rmsDb - now.rmsDb) / 20);
        for (float& s : samples) {
            double v = s * gain;
            const double size = std::fabs(v);
            if (size > knee) {
                const double bent =
                    knee + (ceiling - knee) * std::tanh((size - knee) / (ceiling - knee));
                v = v < 0 ? -bent : bent;
            }
            s = static_cast<float>(v);
        }
        if (std::fabs(MeasureLoudness(samples).rmsDb - rmsDb) < 0.05) {
            return;
        }
    }
}

// A band-limited sawtooth sample at the given phase (cycles) and pitch.
double Saw(double phase, double pitch) {
    double sum = 0;
    const int harmonics = std::max(1, static_cast<int>(kRate / 2 / pitch));
    for (int k = 1; k <= harmonics && k <= 40; ++k) {
        sum += std::sin(2 * M_PI * k * phase) / k;
    }
    return sum * 0.6;
}

struct Vowel {
    double f1, f2, f3;
};
const Vowel kA = {800, 1250, 2600};
const Vowel kO = {500, 900, 2400};
const Vowel kU = {340, 780, 2300};
const Vowel kE = {560, 1800, 2600};

// A short voiced cry: a gliding glottal buzz through three moving formants.
std::vector<float> Cry(double seconds, double pitchFrom, double pitchTo, Vowel from, Vowel to,
                       double breath, unsigned seed) {
    std::vector<float> out(Samples(seconds));
    Biquad formants[3];
    Noise noise(seed);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / out.size();
        const double glide = std::pow(t, 0.7);
        const double pitch = (pitchFrom + (pitchTo - pitchFrom) * glide) *
                             (1 + 0.015 * std::sin(2 * M_PI * 6 * i / kRate));
        phase += pitch / kRate;
        if (i % 32 == 0) {
            const double m = std::min(1.0, t * 1.6);
            formants[0].SetBandPass(from.f1 + (to.f1 - from.f1) * m, 6, kRate);
            formants[1].SetBandPass(from.f2 + (to.f2 - from.f2) * m, 8, kRate);
            formants[2].SetBandPass(from.f3 + (to.f3 - from.f3) * m, 10, kRate);
        }
        const double source = Saw(phase, pitch) + breath * (noise.Next() * 2 - 1);
        const double voiced = formants[0].Process(source) + 0.6 * formants[1].Process(source) +
                              0.25 * formants[2].Process(source);
        const double attack = std::min(1.0, i / (0.018 * kRate));
        const double release = t < 0.55 ? 1.0 : std::pow(1.0 - (t - 0.55) / 0.45, 1.6);
        // Loudest at the onset, like a shout, trailing off.
        out[i] = static_cast<float>(voiced * attack * release * (1.0 - 0.55 * t));
    }
    return out;
}

// A dry knock: a decaying band of noise.
void AddClick(std::vector<float>& out, size_t at, double frequency, double length, double level,
              Noise& noise) {
    Biquad band;
    band.SetBandPass(frequency, 4, kRate);
    const size_t n = Samples(length);
    for (size_t i = 0; i < n && at + i < out.size(); ++i) {
        const double env = std::exp(-6.0 * i / n);
        out[at + i] += static_cast<float>(level * env * band.Process(noise.Next() * 2 - 1) * 3);
    }
}

}  // namespace

std::vector<float> EffectSynth::Pain(int variant) {
    std::vector<float> out;
    switch (variant) {
        case 0:  // "ow!"
            out = Cry(0.34, 560, 300, kA, kU, 0.05, 1);
            break;
        case 1:  // "oof"
            out = Cry(0.24, 430, 320, kO, kU, 0.25, 2);
            break;
        default:  // "eh-ah!"
            out = Cry(0.30, 640, 400, kE, kA, 0.08, 3);
            break;
    }
    Finish(out, kPainRmsDb);
    return out;
}

std::vector<float> EffectSynth::ZombieDeath(int variant) {
    const double seconds = 0.75 + 0.08 * variant;
    std::vector<float> out(Samples(seconds));
    Noise noise(100 + variant);
    // The thump of the blow.
    for (size_t i = 0; i < Samples(0.16); ++i) {
        const double t = i / kRate;
        const double pitch = 95 - 45 * t / 0.16 + variant * 8;
        out[i] += static_cast<float>(0.9 * std::exp(-t * 22) * std::sin(2 * M_PI * pitch * t));
    }
    // A last groan.
    std::vector<float> groan =
        Cry(0.45, 130 - variant * 12, 70, variant == 1 ? kA : kO, kU, 0.35, 200 + variant);
    for (size_t i = 0; i < groan.size() && i + Samples(0.03) < out.size(); ++i) {
        out[i + Samples(0.03)] += 0.55f * groan[i];
    }
    // Bones clattering down, thinning out.
    double when = 0.05;
    while (when < seconds - 0.06) {
        AddClick(out, Samples(when), noise.Range(900, 3200), noise.Range(0.012, 0.03),
                 noise.Range(0.35, 0.7), noise);
        when += noise.Range(0.015, 0.05) * (1 + 3 * when);
    }
    Finish(out, kBreakRmsDb);
    return out;
}

std::vector<float> EffectSynth::Bounce(int variant) {
    std::vector<float> out(Samples(0.16));
    const double pitch = 560 + 140 * variant;
    Noise noise(300 + variant);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        // A rubbery "bop": pitch drops fast, a second partial adds body.
        const double f = pitch * (0.62 + 0.38 * std::exp(-t * 40));
        phase += f / kRate;
        const double body = std::sin(2 * M_PI * phase) + 0.3 * std::sin(4 * M_PI * phase);
        out[i] = static_cast<float>(body * std::exp(-t * 32) * std::min(1.0, t / 0.002));
    }
    AddClick(out, 0, 2500 + 400 * variant, 0.008, 0.25, noise);
    Finish(out, kBounceRmsDb);
    return out;
}

void EffectSynth::Save(const char* file, const std::vector<float>& mono) {
    if (!OggWriter::Write(writer.AddSound(file), mono, mono)) {
        writer.Fail(std::string("cannot encode sdat/") + file);
    }
}

void EffectSynth::WriteAll() {
    const char* pain[] = {"tovik_pain1.ogg", "tovik_pain2.ogg", "tovik_pain3.ogg"};
    const char* death[] = {"zombie_death1.ogg", "zombie_death2.ogg", "zombie_death3.ogg"};
    const char* bounce[] = {"bounce_1.ogg", "bounce_2.ogg", "bounce_3.ogg"};
    for (int v = 0; v < 3; ++v) {
        Save(pain[v], Pain(v));
        Save(death[v], ZombieDeath(v));
        Save(bounce[v], Bounce(v));
    }
}
