#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The measures behind the checker's art and sound rules.

// WCAG relative luminance of an sRGB colour given as 0xRRGGBB: 0 black, 1 white.
double RelativeLuminance(uint32_t rgb);
// WCAG contrast ratio of two luminances, 1 (none) to 21 (black on white).
double ContrastRatio(double a, double b);

struct Loudness {
    double peakDb = -200;  // the largest sample, in dB full scale
    double rmsDb = -200;   // RMS of the audible part, in dB full scale
};
// Over samples of any channel layout. The audible part runs from the first
// to the last sample within 20 dB of the peak, so a tail of near silence
// does not water the figure down.
Loudness MeasureLoudness(const std::vector<float>& samples);
// Decodes an Ogg Vorbis file to interleaved float samples; false when it
// does not decode.
bool DecodeOgg(const std::string& path, std::vector<float>& samples);
