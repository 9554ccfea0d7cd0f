#include "framework/CPlugIn.h"

#include <benchmark/benchmark.h>

#include <array>

namespace
{
// 24 float controls, all smoothed: the worst case of the per-frame services.
class SmoothedPlugIn : public CPlugIn
{
public:
    std::array<float, 24> values = {};

    SmoothedPlugIn()
    {
        for (size_t i = 0; i < values.size(); ++i)
        {
            CControlDescriptor d;
            d.controlType = kControlTypeUser;
            d.controlId = static_cast<int32_t>(i);
            d.dataType = kDataTypeFloat;
            d.maxValue = 1.0f;
            d.floatVariable = &values[i];
            d.smoothingEnabled = true;
            m_controlList.append(d);
        }
        indexControls();
        prepareToProcess();
    }
};

void perFrameServices(benchmark::State& state)
{
    SmoothedPlugIn p;
    for (uint32_t i = 0; i < p.m_controlCount; ++i)
        p.setNormalizedControlValue(i, 1.0f, false);
    for (auto _ : state)
    {
        p.applyQueuedControlValues();
        p.smoothControls();
        benchmark::DoNotOptimize(p.values[0]);
    }
}
BENCHMARK(perFrameServices);
} // namespace
