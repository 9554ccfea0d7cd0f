#include "editor/EnvelopeDetector.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
float coefficient(double timeConstant, float rate, float ms)
{
    const float steps = rate * ms * 0.001f;
    return steps > 0.f ? static_cast<float>(std::exp(timeConstant / static_cast<double>(steps)))
                       : 0.f;
}
} // namespace

void EnvelopeDetector::init(float stepRate, float attackMs, float releaseMs, bool analog,
                            int32_t detectorMode, bool logarithmic)
{
    rate = stepRate;
    attackTime = attackMs;
    releaseTime = releaseMs;
    analogTimeConstant = analog;
    mode = detectorMode;
    logarithmicOutput = logarithmic;
    const double t = analog ? kAnalogTimeConstant : kDigitalTimeConstant;
    attackCoefficient = coefficient(t, rate, attackTime);
    releaseCoefficient = coefficient(t, rate, releaseTime);
    reset();
}

float EnvelopeDetector::step(float x)
{
    float v = std::fabs(x);
    if (mode == kMeanSquare || mode == kRootMeanSquare)
        v *= v;
    float e = envelope;
    const float k = v > e ? attackCoefficient : releaseCoefficient;
    e = k * (e - v) + v;
    if (e != 0.f && std::fabs(e) < std::numeric_limits<float>::min())
        e = 0.f;
    e = std::clamp(e, 0.f, 1.f);
    envelope = e;
    const float out = mode == kRootMeanSquare ? std::sqrt(e) : e;
    if (!logarithmicOutput)
        return out;
    if (out <= 0.f)
        return 0.f;
    const float db = std::max(20.f * std::log10(out), -60.f);
    return (db + 60.f) / 60.f;
}
