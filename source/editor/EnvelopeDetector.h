#pragma once

#include <cstdint>

// A meter's ballistics: a one-pole follower with separate attack and release, stepped
// once per redraw. With its coefficients at 0 it passes the input through.
struct EnvelopeDetector
{
    enum Mode : int32_t
    {
        kPeak = 0,
        kMeanSquare = 1,
        kRootMeanSquare = 2,
    };

    // The time constant reaches 1/e (analog, 0.367) or 1 % of a step.
    static constexpr double kAnalogTimeConstant = -1.0023934841156006;
    static constexpr double kDigitalTimeConstant = -4.605170249938965;

    // rate: steps per second; times in milliseconds. Starts from silence.
    void init(float stepRate, float attackMs, float releaseMs, bool analog, int32_t detectorMode,
              bool logarithmic);
    void reset() { envelope = 0.f; }
    // The next output for input x: the envelope (its root in RMS mode), in 0..1; with
    // logarithmic output the level on a 60 dB scale mapped to 0..1.
    float step(float x);

    int32_t mode = kPeak;
    float attackCoefficient = 0.f;
    float releaseCoefficient = 0.f;
    float attackTime = 0.f;
    float releaseTime = 0.f;
    float rate = 44100.f;
    float envelope = 0.f;
    bool analogTimeConstant = false;
    bool logarithmicOutput = false;
};
