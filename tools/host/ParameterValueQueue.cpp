#include "host/ParameterValueQueue.h"

#include <algorithm>

using namespace Steinberg;

namespace ZargHost
{

ParameterValueQueue::ParameterValueQueue(Vst::ParamID paramId)
    : id(paramId){FUNKNOWN_CTOR}

      IMPLEMENT_FUNKNOWN_METHODS(ParameterValueQueue, Vst::IParamValueQueue,
                                 Vst::IParamValueQueue::iid)

          int32 PLUGIN_API ParameterValueQueue::getPointCount()
{
    return static_cast<int32>(points.size());
}

tresult PLUGIN_API ParameterValueQueue::getPoint(int32 index, int32& sampleOffset,
                                                 Vst::ParamValue& value)
{
    if (index < 0 || index >= getPointCount())
        return kInvalidArgument;
    sampleOffset = points[static_cast<size_t>(index)].offset;
    value = points[static_cast<size_t>(index)].value;
    return kResultOk;
}

tresult PLUGIN_API ParameterValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value,
                                                 int32& index)
{
    if (sampleOffset < 0)
        return kInvalidArgument;
    auto it = std::lower_bound(points.begin(), points.end(), sampleOffset,
                               [](const Point& p, int32 offset) { return p.offset < offset; });
    if (it != points.end() && it->offset == sampleOffset)
        it->value = value;
    else
        it = points.insert(it, Point{sampleOffset, value});
    index = static_cast<int32>(it - points.begin());
    return kResultOk;
}

} // namespace ZargHost
