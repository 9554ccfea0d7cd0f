#include "host/ParameterChanges.h"

using namespace Steinberg;

namespace ZargHost
{

ParameterChanges::ParameterChanges(){FUNKNOWN_CTOR}

IMPLEMENT_FUNKNOWN_METHODS(ParameterChanges, Vst::IParameterChanges, Vst::IParameterChanges::iid)

    int32 PLUGIN_API ParameterChanges::getParameterCount()
{
    return static_cast<int32>(queues.size());
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return queues[static_cast<size_t>(index)];
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const Vst::ParamID& id,
                                                                     int32& index)
{
    for (size_t i = 0; i < queues.size(); ++i)
    {
        if (queues[i]->getParameterId() == id)
        {
            index = static_cast<int32>(i);
            return queues[i];
        }
    }
    queues.push_back(owned(new ParameterValueQueue(id)));
    index = static_cast<int32>(queues.size() - 1);
    return queues.back();
}

void ParameterChanges::add(Vst::ParamID id, int32 sampleOffset, Vst::ParamValue value)
{
    int32 index = 0;
    addParameterData(id, index)->addPoint(sampleOffset, value, index);
}

ParameterValueQueue* ParameterChanges::find(Vst::ParamID id) const
{
    for (const auto& queue : queues)
        if (queue->getParameterId() == id)
            return queue;
    return nullptr;
}

std::optional<Vst::ParamValue> ParameterChanges::lastValue(Vst::ParamID id) const
{
    ParameterValueQueue* queue = find(id);
    if (!queue || queue->getPointCount() == 0)
        return std::nullopt;
    return queue->lastValue();
}

void ParameterChanges::clear()
{
    queues.clear();
}

} // namespace ZargHost
