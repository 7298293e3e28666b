#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The measures behind the checker's art and sound rules (the loudness one
// is shared with the generator: common/Loudness.h).

// WCAG relative luminance of an sRGB colour given as 0xRRGGBB: 0 black, 1 white.
double RelativeLuminance(uint32_t rgb);
// WCAG contrast ratio of two luminances, 1 (none) to 21 (black on white).
double ContrastRatio(double a, double b);

// Decodes an Ogg Vorbis file to interleaved float samples; false when it
// does not decode.
bool DecodeOgg(const std::string& path, std::vector<float>& samples);
