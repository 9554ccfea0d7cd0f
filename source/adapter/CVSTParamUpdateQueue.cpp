#include "adapter/CVSTParamUpdateQueue.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <limits>

namespace Zeri2VST3
{

using Steinberg::kResultOk;

void CVSTParamUpdateQueue::prepare(Steinberg::Vst::IParamValueQueue* queue, int32_t blockLength)
{
    numSamples = blockLength;
    source = queue;
    pointCount = queue ? queue->getPointCount() : 0;
    pointIndex = 0;
    currentOffset = 0;
}

uint32_t CVSTParamUpdateQueue::parameterId()
{
    return source ? source->getParameterId() : 0;
}

bool CVSTParamUpdateQueue::valueAtOffset(int32_t sampleOffset, double /*previousValue*/,
                                         double& out)
{
    currentOffset = sampleOffset;
    return valueAt(currentOffset, out);
}

bool CVSTParamUpdateQueue::nextValue(double& out)
{
    const bool offered = valueAt(currentOffset, out);
    // Saturate: a queue left alone for hours must not overflow back to 0.
    if (currentOffset < std::numeric_limits<int32_t>::max())
        ++currentOffset;
    return offered;
}

void CVSTParamUpdateQueue::advance()
{
    if (!source || pointIndex >= pointCount)
        return; // the value holds at segEndValue
    Steinberg::int32 offset = 0;
    Steinberg::Vst::ParamValue value = 0.0;
    if (source->getPoint(pointIndex, offset, value) != kResultOk)
        return;

    if (pointIndex == 0 && offset == 0)
    {
        segStart = 0;
        segStartValue = value;
        ++pointIndex;
        Steinberg::int32 nextOffset = 0;
        Steinberg::Vst::ParamValue nextPointValue = 0.0;
        if (pointIndex < pointCount &&
            source->getPoint(pointIndex, nextOffset, nextPointValue) == kResultOk)
        {
            segEnd = nextOffset;
            segEndValue = nextPointValue;
            ++pointIndex;
        }
        else
        {
            segEnd = numSamples;
            segEndValue = value;
        }
    }
    else
    {
        if (pointIndex == 0)
        {
            segStart = 0;
            segStartValue = segEndValue; // the value last reached
        }
        else
        {
            segStart = segEnd;
            segStartValue = segEndValue;
        }
        segEnd = offset;
        segEndValue = value;
        ++pointIndex;
    }

    const float length = static_cast<float>(segEnd - segStart);
    // Two points at one offset make a step, not a segment.
    slope = length > 0.0f ? (segEndValue - segStartValue) / static_cast<double>(length) : 0.0;
    intercept = segStartValue - segStart * slope;
}

bool CVSTParamUpdateQueue::valueAt(int32_t offset, double& out)
{
    double value = 0.0;
    if (offset == 0)
    {
        advance();
        value = segEnd > 0 ? intercept : segEndValue;
    }
    else if (offset == segEnd)
    {
        value = segEndValue;
        advance();
    }
    else if (offset == segStart)
        value = segStartValue;
    else if (offset > segStart && offset < segEnd)
        value = intercept + slope * offset;
    else
        value = segEndValue;

    if (slope == 0.0)
        return false;
    const int32_t grid = granularity ? *granularity : 0;
    const bool onGrid = grid > 0 && offset % grid == 0;
    if (!onGrid && offset != segStart && offset != segEnd)
        return false;
    if (value == lastValue)
        return false;
    lastValue = value;
    out = value;
    return true;
}

} // namespace Zeri2VST3
