#pragma once

// A second-order filter section (RBJ cookbook), for formants and tone shaping.
class Biquad {
public:
    Biquad() : b0(1), b1(0), b2(0), a1(0), a2(0), x1(0), x2(0), y1(0), y2(0) {}

    // Constant 0 dB peak gain band-pass around frequency (Hz) with quality q.
    void SetBandPass(double frequency, double q, double rate);
    void SetLowPass(double frequency, double q, double rate);
    void SetHighPass(double frequency, double q, double rate);

    float Process(float x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return static_cast<float>(y);
    }

private:
    void Set(double nb0, double nb1, double nb2, double na0, double na1, double na2);

    double b0, b1, b2, a1, a2;
    double x1, x2, y1, y2;
};
