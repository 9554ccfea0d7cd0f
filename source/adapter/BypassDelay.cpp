#include "adapter/BypassDelay.h"

#include <cstddef>

namespace Zeri2VST3
{

void BypassDelay::prepare(int32_t channels, int32_t delaySamples)
{
    length = delaySamples > 0 ? delaySamples : 0;
    lines.assign(static_cast<std::size_t>(channels),
                 std::vector<float>(static_cast<std::size_t>(length), 0.0f));
    positions.assign(static_cast<std::size_t>(channels), 0);
}

void BypassDelay::process(int32_t channel, const float* input, float* output, int32_t numSamples)
{
    if (channel < 0 || static_cast<std::size_t>(channel) >= lines.size())
        return;
    if (length == 0)
    {
        if (output && output != input)
            for (int32_t i = 0; i < numSamples; ++i)
                output[i] = input[i];
        return;
    }
    std::vector<float>& line = lines[static_cast<std::size_t>(channel)];
    int32_t& position = positions[static_cast<std::size_t>(channel)];
    for (int32_t i = 0; i < numSamples; ++i)
    {
        const float delayed = line[static_cast<std::size_t>(position)];
        line[static_cast<std::size_t>(position)] = input[i];
        if (output)
            output[i] = delayed;
        if (++position == length)
            position = 0;
    }
}

} // namespace Zeri2VST3
