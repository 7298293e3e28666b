#include "gen/Biquad.h"

#include <cmath>

void Biquad::Set(double nb0, double nb1, double nb2, double na0, double na1, double na2) {
    b0 = nb0 / na0;
    b1 = nb1 / na0;
    b2 = nb2 / na0;
    a1 = na1 / na0;
    a2 = na2 / na0;
}

void Biquad::SetBandPass(double frequency, double q, double rate) {
    const double w = 2 * M_PI * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    Set(alpha, 0, -alpha, 1 + alpha, -2 * std::cos(w), 1 - alpha);
}

void Biquad::SetLowPass(double frequency, double q, double rate) {
    const double w = 2 * M_PI * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetHighPass(double frequency, double q, double rate) {
    const double w = 2 * M_PI * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}
