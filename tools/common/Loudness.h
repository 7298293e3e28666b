#pragma once

#include <vector>

// How loud a sound is, as the loudness plan (tools/gen/EffectSynth.h) and
// the data checker measure it.
struct Loudness {
    double peakDb = -200;  // the largest sample, in dB full scale
    double rmsDb = -200;   // RMS of the audible part, in dB full scale
};

// Over samples of any channel layout. The audible part runs from the first
// to the last sample within 20 dB of the peak, so a tail of near silence
// does not water the figure down.
Loudness MeasureLoudness(const std::vector<float>& samples);
