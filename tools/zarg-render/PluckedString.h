#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One plucked string by Karplus-Strong: a noise burst circulating in a delay
// line one period long, low-passed on every pass so it rings down like a
// string. An all-pass in the loop supplies the fractional part of the period,
// so the pitch is exact and not rounded to whole samples.
class PluckedString
{
public:
    // ringSeconds: time to fall by 60 dB while held.
    PluckedString(double sampleRate, double frequency, double ringSeconds, uint32_t seed);

    float next();
    // Lifting the finger: the string dies within muteSeconds.
    void mute(double muteSeconds);

private:
    double loopGainFor(double seconds) const;

    double rate;
    double frequency;
    std::vector<double> line;
    size_t position = 0;
    double loopGain;
    double allpassCoefficient;
    double allpassIn = 0.0;
    double allpassOut = 0.0;
};
