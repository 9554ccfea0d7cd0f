#pragma once

#include <cstdint>
#include <vector>

namespace Zeri2VST3
{

// Bypass without clicks: a switch either way crossfades between the processed
// signal and the input over a few milliseconds. The plug-in object adds no
// latency, so the input needs no delay to line up. The processed signal keeps
// being computed while bypassed, so leaving bypass plays the current input
// rather than audio held from before.
class SoftBypass
{
public:
    // Main thread; allocates. The first frame after it starts at the state
    // asked for, without a fade: nothing was heard before it.
    void prepare(int32_t fadeSamples);

    // Audio thread.
    void setBypassed(bool state) { target = state; }
    bool isBypassed() const { return target; }
    // One frame: processed[c] becomes the output, the processed signal, the
    // dry one or a mix of both.
    void processFrame(const float* dry, float* processed, int32_t channels);

private:
    // Weight of the processed signal along the fade, 0 .. 1, smooth at both ends.
    std::vector<float> curve;
    int32_t step = 0; // position on the curve: 0 bypassed, curve.size() - 1 processed
    bool target = false;
    bool started = false;
};

} // namespace Zeri2VST3
