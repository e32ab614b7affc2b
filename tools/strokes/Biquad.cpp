// Second-order Butterworth filter section (bilinear transform, direct form I).
#include "Biquad.h"

#include <cmath>

namespace {
constexpr double kButterworthQ = 0.70710678118654752;
}

Biquad::Biquad(double b0, double b1, double b2, double a1, double a2)
    : b0_(b0), b1_(b1), b2_(b2), a1_(a1), a2_(a2)
{
}

Biquad Biquad::lowPass(double cornerHz, double sampleRate)
{
    const double w = 2.0 * M_PI * cornerHz / sampleRate;
    const double alpha = std::sin(w) / (2.0 * kButterworthQ);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    return Biquad((1.0 - c) / 2.0 / a0, (1.0 - c) / a0, (1.0 - c) / 2.0 / a0, -2.0 * c / a0,
        (1.0 - alpha) / a0);
}

Biquad Biquad::highPass(double cornerHz, double sampleRate)
{
    const double w = 2.0 * M_PI * cornerHz / sampleRate;
    const double alpha = std::sin(w) / (2.0 * kButterworthQ);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    return Biquad((1.0 + c) / 2.0 / a0, -(1.0 + c) / a0, (1.0 + c) / 2.0 / a0, -2.0 * c / a0,
        (1.0 - alpha) / a0);
}

double Biquad::process(double x)
{
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}
