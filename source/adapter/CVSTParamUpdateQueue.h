#pragma once

#include "framework/IParamUpdateQueue.h"

#include <cstdint>

namespace Steinberg::Vst
{
class IParamValueQueue;
}

namespace Zeri2VST3
{

// Per-sample values of one control for objects that ask for sample-accurate
// automation: the host's points are joined by straight segments, and a value
// is offered only where it changed (and on the granularity grid).
class CVSTParamUpdateQueue final : public IParamUpdateQueue
{
public:
    // gridSize refers to the adapter's automation granularity.
    CVSTParamUpdateQueue(double minimum, double maximum, const int32_t* gridSize)
        : maxPlain(maximum), minPlain(minimum), granularity(gridSize)
    {
    }

    // Called by the adapter when the block carries a change of this control.
    void prepare(Steinberg::Vst::IParamValueQueue* queue, int32_t blockLength);

    uint32_t parameterId() override;
    bool valueAtOffset(int32_t sampleOffset, double previousValue, double& out) override;
    bool nextValue(double& out) override;

private:
    bool valueAt(int32_t offset, double& out);
    void advance();

    int32_t numSamples = 0;
    double lastValue = 0.0;
    double maxPlain;
    double minPlain;
    double slope = 1.0;
    double intercept = 0.0;
    const int32_t* granularity;
    int32_t pointIndex = 0;
    int32_t pointCount = 0;
    Steinberg::Vst::IParamValueQueue* source = nullptr;
    int32_t segStart = 0;
    int32_t segEnd = 0;
    double segStartValue = 0.0;
    double segEndValue = 0.0;
    int32_t currentOffset = 0;
};

} // namespace Zeri2VST3
