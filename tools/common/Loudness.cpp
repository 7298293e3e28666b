#include "common/Loudness.h"

#include <algorithm>
#include <cmath>

namespace {

double Decibels(double amplitude) {
    return amplitude > 0 ? 20 * std::log10(amplitude) : -200;
}

}  // namespace

Loudness MeasureLoudness(const std::vector<float>& samples) {
    Loudness loudness;
    double peak = 0;
    for (float s : samples) {
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
    }
    if (peak == 0) {
        return loudness;
    }
    size_t first = samples.size(), last = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) >= peak * 0.1) {
            first = std::min(first, i);
            last = i;
        }
    }
    double sum = 0;
    for (size_t i = first; i <= last; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    loudness.peakDb = Decibels(peak);
    loudness.rmsDb = Decibels(std::sqrt(sum / (last - first + 1)));
    return loudness;
}
