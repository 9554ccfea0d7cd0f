#pragma once

#include <cstdint>
#include <vector>

namespace Zeri2VST3
{

// Delays the dry signal by the plug-in's latency, so that the bypassed output
// lines up in time with the processed one and switching bypass does not jump.
// It is fed on every block, bypassed or not, so it is always primed.
class BypassDelay
{
public:
    // Main thread; allocates. channels x delaySamples of state, zeroed.
    void prepare(int32_t channels, int32_t delaySamples);
    int32_t delay() const { return length; }

    // Audio thread: pushes numSamples of input and, when output is not null,
    // writes the delayed signal there. input and output may be the same buffer.
    void process(int32_t channel, const float* input, float* output, int32_t numSamples);

private:
    int32_t length = 0;
    std::vector<std::vector<float>> lines;
    std::vector<int32_t> positions;
};

} // namespace Zeri2VST3
