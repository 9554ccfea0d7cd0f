#include "public.sdk/source/vst/vst2wrapper/vst2eventlist.h"

#include <algorithm>

namespace Steinberg::Vst
{

void Vst2EventList::add(const Event& event)
{
    if (count == kMaxEvents)
        return;
    int32 at = count;
    while (at > 0 && events[static_cast<size_t>(at - 1)].sampleOffset > event.sampleOffset)
    {
        events[static_cast<size_t>(at)] = events[static_cast<size_t>(at - 1)];
        --at;
    }
    events[static_cast<size_t>(at)] = event;
    ++count;
}

void Vst2EventList::clear()
{
    count = partBegin = partEnd = partStart = partLast = 0;
}

void Vst2EventList::showPart(int32 start, int32 numSamples, bool lastPart)
{
    const auto offsetAt = [this](int32 i) { return events[static_cast<size_t>(i)].sampleOffset; };
    partBegin = 0;
    while (partBegin < count && offsetAt(partBegin) < start)
        ++partBegin;
    partEnd = partBegin;
    while (partEnd < count && (lastPart || offsetAt(partEnd) < start + numSamples))
        ++partEnd;
    partStart = start;
    partLast = std::max(numSamples - 1, int32{0});
}

tresult PLUGIN_API Vst2EventList::getEvent(int32 index, Event& e)
{
    if (index < 0 || index >= getEventCount())
        return kResultFalse;
    e = events[static_cast<size_t>(partBegin + index)];
    e.sampleOffset = std::min(e.sampleOffset - partStart, partLast);
    return kResultTrue;
}

tresult PLUGIN_API Vst2EventList::addEvent(Event& e)
{
    if (count == kMaxEvents)
        return kResultFalse;
    add(e);
    return kResultTrue;
}

tresult PLUGIN_API Vst2EventList::queryInterface(const TUID queried, void** obj)
{
    QUERY_INTERFACE(queried, obj, FUnknown::iid, IEventList)
    QUERY_INTERFACE(queried, obj, IEventList::iid, IEventList)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Steinberg::Vst
