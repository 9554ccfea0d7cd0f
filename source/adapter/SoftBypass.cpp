#include "adapter/SoftBypass.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace Zeri2VST3
{

void SoftBypass::prepare(int32_t fadeSamples)
{
    const int32_t steps = std::max(fadeSamples, 1);
    curve.resize(static_cast<std::size_t>(steps) + 1);
    for (int32_t i = 0; i <= steps; ++i)
        curve[static_cast<std::size_t>(i)] = static_cast<float>(
            0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / steps));
    started = false;
}

void SoftBypass::processFrame(const float* dry, float* processed, int32_t channels)
{
    const auto last = static_cast<int32_t>(curve.size()) - 1;
    if (last < 0)
        return; // not prepared: the processed signal passes
    if (!started)
    {
        step = target ? 0 : last;
        started = true;
    }
    else if (target && step > 0)
        --step;
    else if (!target && step < last)
        ++step;
    if (step == last)
        return; // exactly the processed signal
    const float wet = curve[static_cast<std::size_t>(step)];
    for (int32_t c = 0; c < std::min(channels, int32_t{2}); ++c)
        processed[c] = step == 0 ? dry[c] : wet * processed[c] + (1.0f - wet) * dry[c];
}

} // namespace Zeri2VST3
