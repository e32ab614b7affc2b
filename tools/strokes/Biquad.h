// Second-order Butterworth filter section for shaping noise bursts (offline renderer).
#pragma once

class Biquad {
public:
    static Biquad lowPass(double cornerHz, double sampleRate);
    static Biquad highPass(double cornerHz, double sampleRate);

    double process(double x);

private:
    Biquad(double b0, double b1, double b2, double a1, double a2);

    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};
