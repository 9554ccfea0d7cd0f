#include "PluckedString.h"

#include <cmath>
#include <numeric>

PluckedString::PluckedString(double sampleRate, double freq, double ringSeconds, uint32_t seed)
    : rate(sampleRate), frequency(freq)
{
    // The two-point average in the loop delays by half a sample.
    double period = rate / frequency - 0.5;
    auto length = static_cast<size_t>(std::floor(period));
    double fraction = period - static_cast<double>(length);
    // An all-pass delay near zero is poorly behaved; borrow a whole sample.
    if (fraction < 0.1 && length > 2)
    {
        --length;
        fraction += 1.0;
    }
    allpassCoefficient = (1.0 - fraction) / (1.0 + fraction);
    loopGain = loopGainFor(ringSeconds);

    // A pick is softer than white noise: smooth the burst and take out its DC.
    line.resize(length);
    uint32_t state = seed;
    double smooth = 0.0;
    for (double& v : line)
    {
        state = state * 1664525u + 1013904223u;
        const double noise = static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
        smooth += 0.3 * ((2.0 * noise - 1.0) - smooth);
        v = smooth;
    }
    const double mean =
        std::accumulate(line.begin(), line.end(), 0.0) / static_cast<double>(length);
    for (double& v : line)
        v -= mean;
}

double PluckedString::loopGainFor(double seconds) const
{
    // One pass per period: frequency * seconds passes for -60 dB.
    return std::pow(0.001, 1.0 / (frequency * seconds));
}

float PluckedString::next()
{
    const double out = line[position];
    const size_t following = position + 1 == line.size() ? 0 : position + 1;
    const double averaged = loopGain * 0.5 * (out + line[following]);
    allpassOut = allpassCoefficient * averaged + allpassIn - allpassCoefficient * allpassOut;
    allpassIn = averaged;
    line[position] = allpassOut;
    position = following;
    return static_cast<float>(out);
}

void PluckedString::mute(double muteSeconds)
{
    loopGain = loopGainFor(muteSeconds);
}
