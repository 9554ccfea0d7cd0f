#include "public.sdk/source/vst/vst2wrapper/vst2paramvaluequeue.h"

#include <algorithm>

namespace Steinberg::Vst
{

void Vst2ParamValueQueue::reset(ParamID parameter)
{
    id = parameter;
    count = 0;
}

int32 Vst2ParamValueQueue::add(int32 sampleOffset, ParamValue value)
{
    if (count == kMaxPoints)
        --count;
    int32 at = count;
    while (at > 0 && points[static_cast<size_t>(at - 1)].offset > sampleOffset)
    {
        points[static_cast<size_t>(at)] = points[static_cast<size_t>(at - 1)];
        --at;
    }
    points[static_cast<size_t>(at)] = {sampleOffset, value};
    ++count;
    return at;
}

void Vst2ParamValueQueue::limitOffsets(int32 numSamples)
{
    const int32 last = std::max(numSamples - 1, int32{0});
    for (int32 i = 0; i < count; ++i)
        points[static_cast<size_t>(i)].offset =
            std::min(points[static_cast<size_t>(i)].offset, last);
}

tresult PLUGIN_API Vst2ParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                                 ParamValue& value)
{
    if (index < 0 || index >= count)
        return kResultFalse;
    sampleOffset = points[static_cast<size_t>(index)].offset;
    value = points[static_cast<size_t>(index)].value;
    return kResultTrue;
}

tresult PLUGIN_API Vst2ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    index = add(sampleOffset, value);
    return kResultTrue;
}

tresult PLUGIN_API Vst2ParamValueQueue::queryInterface(const TUID queried, void** obj)
{
    QUERY_INTERFACE(queried, obj, FUnknown::iid, IParamValueQueue)
    QUERY_INTERFACE(queried, obj, IParamValueQueue::iid, IParamValueQueue)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Steinberg::Vst
