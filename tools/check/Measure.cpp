#include "check/Measure.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>

namespace {

double Linear(uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(uint32_t rgb) {
    return 0.2126 * Linear(rgb >> 16 & 0xFF) + 0.7152 * Linear(rgb >> 8 & 0xFF) +
           0.0722 * Linear(rgb & 0xFF);
}

double ContrastRatio(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool DecodeOgg(const std::string& path, std::vector<float>& samples) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) {
        return false;
    }
    const int channels = ov_info(&file, -1)->channels;
    samples.clear();
    bool ok = true;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long frames = ov_read_float(&file, &pcm, 1024, &section);
        if (frames == 0) {
            break;
        }
        if (frames < 0) {
            ok = false;
            break;
        }
        for (long i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c) {
                samples.push_back(pcm[c][i]);
            }
        }
    }
    ov_clear(&file);
    return ok;
}
