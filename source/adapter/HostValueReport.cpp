#include "adapter/HostValueReport.h"

#include <algorithm>

namespace Zeri2VST3
{

using namespace Steinberg;
using namespace Steinberg::Vst;

static_assert(std::atomic<double>::is_always_lock_free);

void HostValueReport::prepare(const std::vector<ParamID>& parameterIds)
{
    ids = parameterIds;
    values = std::make_unique<std::atomic<double>[]>(ids.size());
    published.store(false);
}

void HostValueReport::set(ParamID id, double value)
{
    const auto it = std::find(ids.begin(), ids.end(), id);
    if (it != ids.end())
        values[static_cast<size_t>(it - ids.begin())].store(value, std::memory_order_relaxed);
}

void HostValueReport::publish()
{
    published.store(true, std::memory_order_release);
}

void HostValueReport::deliver(IParameterChanges* outputs)
{
    if (!outputs || !published.exchange(false, std::memory_order_acquire))
        return;
    for (size_t i = 0; i < ids.size(); ++i)
    {
        int32 queueIndex = 0;
        IParamValueQueue* queue = outputs->addParameterData(ids[i], queueIndex);
        int32 pointIndex = 0;
        if (queue)
            queue->addPoint(0, values[i].load(std::memory_order_relaxed), pointIndex);
    }
}

} // namespace Zeri2VST3
