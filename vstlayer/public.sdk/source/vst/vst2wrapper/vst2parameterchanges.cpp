#include "public.sdk/source/vst/vst2wrapper/vst2parameterchanges.h"

namespace Steinberg::Vst
{

void Vst2ParameterChanges::setCapacity(int32 maxParameters)
{
    queues.resize(static_cast<size_t>(maxParameters > 0 ? maxParameters : 0));
    used = 0;
}

Vst2ParamValueQueue* Vst2ParameterChanges::queueFor(ParamID id, int32* index)
{
    for (int32 i = 0; i < used; ++i)
        if (queues[static_cast<size_t>(i)].getParameterId() == id)
        {
            if (index)
                *index = i;
            return &queues[static_cast<size_t>(i)];
        }
    if (used == static_cast<int32>(queues.size()))
        return nullptr;
    Vst2ParamValueQueue& queue = queues[static_cast<size_t>(used)];
    queue.reset(id);
    if (index)
        *index = used;
    ++used;
    return &queue;
}

void Vst2ParameterChanges::add(ParamID id, int32 sampleOffset, ParamValue value)
{
    if (Vst2ParamValueQueue* queue = queueFor(id))
        queue->add(sampleOffset, value);
}

void Vst2ParameterChanges::limitOffsets(int32 numSamples)
{
    for (int32 i = 0; i < used; ++i)
        queues[static_cast<size_t>(i)].limitOffsets(numSamples);
}

IParamValueQueue* PLUGIN_API Vst2ParameterChanges::getParameterData(int32 index)
{
    return index >= 0 && index < used ? &queues[static_cast<size_t>(index)] : nullptr;
}

IParamValueQueue* PLUGIN_API Vst2ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    return queueFor(id, &index);
}

tresult PLUGIN_API Vst2ParameterChanges::queryInterface(const TUID queried, void** obj)
{
    QUERY_INTERFACE(queried, obj, FUnknown::iid, IParameterChanges)
    QUERY_INTERFACE(queried, obj, IParameterChanges::iid, IParameterChanges)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Steinberg::Vst
