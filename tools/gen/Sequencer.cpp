#include "gen/Sequencer.h"

#include <algorithm>
#include <cmath>

#include "gen/Biquad.h"
#include "gen/OggWriter.h"
#include "gen/Paint.h"

namespace {

const double kRate = OggWriter::kRate;

// Band-limited step correction for the saw and square waves.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// One tone of a pitched instrument, `count` samples long.
std::vector<float> Tone(const Song::Instrument& instrument, double hz, size_t count, Noise& noise) {
    std::vector<float> out(count);
    const double dt = hz / kRate;
    const std::string& wave = instrument.wave;
    if (wave == "pluck") {
        // Karplus-Strong: a burst of noise in a delay line, averaged away.
        const size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / hz));
        std::vector<double> line(period);
        for (double& s : line) {
            s = noise.Next() * 2 - 1;
        }
        double previous = 0;
        for (size_t i = 0; i < count; ++i) {
            const size_t at = i % period;
            const double s = line[at];
            line[at] = 0.5 * (s + previous) * 0.996;
            previous = s;
            out[i] = static_cast<float>(s);
        }
        return out;
    }
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        double s = 0;
        if (wave == "sine") {
            s = std::sin(2 * M_PI * phase);
        } else if (wave == "triangle") {
            s = 1 - 4 * std::fabs(phase - 0.5);
        } else if (wave == "saw") {
            s = 2 * phase - 1 - PolyBlep(phase, dt);
        } else if (wave == "square") {
            s = (phase < 0.5 ? 1 : -1) + PolyBlep(phase, dt) -
                PolyBlep(std::fmod(phase + 0.5, 1.0), dt);
            s *= 0.7;
        } else if (wave == "organ") {
            s = std::sin(2 * M_PI * phase) + 0.5 * std::sin(4 * M_PI * phase) +
                0.25 * std::sin(6 * M_PI * phase);
            s *= 0.6;
        } else if (wave == "bell") {
            // Two-operator FM, a music box: the bright strike dies away to a
            // pure tone.
            const double t = i / kRate;
            const double index = 1.4 * std::exp(-t * 9);
            s = std::sin(2 * M_PI * phase + index * std::sin(2 * M_PI * phase * 4.0));
        }
        out[i] = static_cast<float>(s);
        phase += dt;
        phase -= std::floor(phase);
    }
    return out;
}

std::vector<float> Drum(const std::string& wave, size_t count, Noise& noise) {
    std::vector<float> out(count);
    Biquad filter;
    if (wave == "snare") {
        filter.SetHighPass(1800, 0.7, kRate);
    } else if (wave == "hat") {
        filter.SetHighPass(6500, 0.7, kRate);
    }
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = i / kRate;
        double s = 0;
        if (wave == "kick") {
            phase += (45 + 110 * std::exp(-t * 30)) / kRate;
            s = std::sin(2 * M_PI * phase) * std::exp(-t * 9);
        } else if (wave == "snare") {
            phase += 185 / kRate;
            s = 0.8 * filter.Process(static_cast<float>(noise.Next() * 2 - 1)) * std::exp(-t * 18) +
                0.5 * std::sin(2 * M_PI * phase) * std::exp(-t * 30);
        } else {
            s = filter.Process(static_cast<float>(noise.Next() * 2 - 1)) * std::exp(-t * 45);
        }
        out[i] = static_cast<float>(s);
    }
    return out;
}

bool IsDrum(const std::string& wave) {
    return wave == "kick" || wave == "snare" || wave == "hat";
}

}  // namespace

void Sequencer::Render(std::vector<float>& left, std::vector<float>& right) const {
    const double samplesPerBeat = 60.0 / song.tempo * kRate;
    const size_t total = static_cast<size_t>(std::llround(song.beats * samplesPerBeat));
    std::vector<double> dryLeft(total, 0.0), dryRight(total, 0.0);
    Noise noise(2024);
    for (const Song::Voice& voice : song.voices) {
        const Song::Instrument& instrument = song.instruments.at(voice.instrument);
        const double angle = (instrument.pan + 1) * M_PI / 4;
        const double gainLeft = std::cos(angle) * instrument.volume;
        const double gainRight = std::sin(angle) * instrument.volume;
        for (const Song::Note& note : voice.notes) {
            const size_t start = static_cast<size_t>(std::llround(note.beat * samplesPerBeat));
            const size_t held = static_cast<size_t>(note.length * instrument.gate * samplesPerBeat);
            const size_t count = held + static_cast<size_t>(instrument.release * kRate) + 1;
            std::vector<std::vector<float>> layers;
            if (IsDrum(instrument.wave)) {
                layers.push_back(Drum(instrument.wave, count, noise));
            } else {
                for (double hz : note.frequencies) {
                    layers.push_back(Tone(instrument, hz, count, noise));
                }
            }
            Biquad tone;
            if (instrument.cutoff > 0) {
                tone.SetLowPass(instrument.cutoff, 0.8, kRate);
            }
            const double layerGain = 1.0 / std::sqrt(std::max<size_t>(1, layers.size()));
            double level = 0;
            for (size_t i = 0; i < count; ++i) {
                // Attack, decay to sustain while held, then release from
                // wherever the level is, which never jumps.
                const double t = i / kRate;
                if (i < held || IsDrum(instrument.wave)) {
                    if (t < instrument.attack) {
                        level = t / instrument.attack;
                    } else {
                        const double d = (t - instrument.attack) / std::max(1e-6, instrument.decay);
                        level = instrument.sustain + (1 - instrument.sustain) * std::exp(-3 * d);
                    }
                } else {
                    level *= std::exp(-5.0 / (instrument.release * kRate + 1));
                }
                double mixed = 0;
                for (const auto& layer : layers) {
                    mixed += layer[i];
                }
                mixed *= layerGain;
                if (instrument.cutoff > 0) {
                    mixed = tone.Process(static_cast<float>(mixed));
                }
                const size_t at = (start + i) % total;
                dryLeft[at] += mixed * level * gainLeft;
                dryRight[at] += mixed * level * gainRight;
            }
        }
    }
    left.assign(total, 0.0f);
    right.assign(total, 0.0f);
    // Ping-pong echo read round the loop, so it too wraps seamlessly.
    const size_t delay = static_cast<size_t>(song.echoBeats * samplesPerBeat);
    double highest = 0;
    std::vector<double> outLeft(dryLeft), outRight(dryRight);
    if (delay > 0 && song.echoFeedback > 0) {
        double gain = 1;
        for (int tap = 1; tap <= 8; ++tap) {
            gain *= song.echoFeedback;
            const size_t shift = (delay * tap) % total;
            for (size_t i = 0; i < total; ++i) {
                const size_t from = (i + total - shift) % total;
                const double mono = (dryLeft[from] + dryRight[from]) * 0.5 * gain;
                (tap % 2 == 1 ? outLeft : outRight)[i] += mono;
            }
        }
    }
    for (size_t i = 0; i < total; ++i) {
        highest = std::max({highest, std::fabs(outLeft[i]), std::fabs(outRight[i])});
    }
    // Drive the loudest moments gently into a soft limit, so drum hits do
    // not leave everything else quiet; peaks stay near -2 dBFS, below the
    // loudness plan's -1 dBFS line (EffectSynth.h).
    const double scale = highest > 0 ? 1.3 / highest : 1.0;
    for (size_t i = 0; i < total; ++i) {
        left[i] = static_cast<float>(0.8 * std::tanh(outLeft[i] * scale));
        right[i] = static_cast<float>(0.8 * std::tanh(outRight[i] * scale));
    }
}
