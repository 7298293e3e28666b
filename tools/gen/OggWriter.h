#pragma once

#include <string>
#include <vector>

// Encodes stereo float samples (-1 to 1) as Ogg Vorbis at 22050 Hz, the
// mixer's own rate and channel count, so the game converts nothing at load.
class OggWriter {
public:
    static const int kRate = 22050;

    // quality: libvorbisenc's VBR quality, -0.1 to 1.
    static bool Write(const std::string& path, const std::vector<float>& left,
                      const std::vector<float>& right, float quality = 0.4f);
};
