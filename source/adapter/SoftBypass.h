#pragma once

#include <cstdint>
#include <vector>

namespace Zeri2VST3
{

// Bypass without clicks. The dry signal is delayed by the plug-in's latency
// so that it lines up in time with the processed one, and a switch either
// way crossfades between the two over a few milliseconds. The processed
// signal keeps being computed while bypassed, so leaving bypass plays the
// current input rather than audio held from before.
class SoftBypass
{
public:
    // Main thread; allocates. Dry delay lines zeroed; the bypass state is kept and
    // starts settled, with no fade.
    void prepare(int32_t channels, int32_t delaySamples, int32_t fadeSamples);
    int32_t delay() const { return length; }

    // Audio thread.
    void setBypassed(bool state) { target = state; }
    bool isBypassed() const { return target; }
    // One frame: dry[c] goes into the delay line; processed[c] becomes the
    // output, the processed signal, the delayed dry one or a mix of both.
    void processFrame(const float* dry, float* processed, int32_t channels);

private:
    int32_t length = 0;
    int32_t position = 0;
    std::vector<std::vector<float>> lines;
    // Weight of the processed signal along the fade, 0 .. 1, smooth at both ends.
    std::vector<float> curve;
    int32_t step = 0; // position on the curve: 0 bypassed, curve.size() - 1 processed
    bool target = false;
};

} // namespace Zeri2VST3
