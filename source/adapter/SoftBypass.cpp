#include "adapter/SoftBypass.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace Zeri2VST3
{

void SoftBypass::prepare(int32_t channels, int32_t delaySamples, int32_t fadeSamples)
{
    length = std::max(delaySamples, 0);
    position = 0;
    lines.assign(static_cast<std::size_t>(std::max(channels, 0)),
                 std::vector<float>(static_cast<std::size_t>(std::max(length, 1)), 0.0f));
    const int32_t steps = std::max(fadeSamples, 1);
    curve.resize(static_cast<std::size_t>(steps) + 1);
    for (int32_t i = 0; i <= steps; ++i)
        curve[static_cast<std::size_t>(i)] = static_cast<float>(
            0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / steps));
    step = target ? 0 : steps;
}

void SoftBypass::processFrame(const float* dry, float* processed, int32_t channels)
{
    const auto last = static_cast<int32_t>(curve.size()) - 1;
    if (last < 0)
        return; // not prepared: the processed signal passes
    const int32_t count = std::min(channels, static_cast<int32_t>(lines.size()));
    if (target && step > 0)
        --step;
    else if (!target && step < last)
        ++step;
    const float wet = curve[static_cast<std::size_t>(step)];
    for (int32_t c = 0; c < count; ++c)
    {
        float delayed = dry[c];
        if (length > 0)
        {
            float& slot = lines[static_cast<std::size_t>(c)][static_cast<std::size_t>(position)];
            delayed = slot;
            slot = dry[c];
        }
        if (step == last)
            continue; // exactly the processed signal
        processed[c] = step == 0 ? delayed : wet * processed[c] + (1.0f - wet) * delayed;
    }
    if (length > 0 && ++position == length)
        position = 0;
}

} // namespace Zeri2VST3
