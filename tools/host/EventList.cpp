#include "host/EventList.h"

using namespace Steinberg;

namespace ZargHost
{

EventList::EventList(){FUNKNOWN_CTOR}

IMPLEMENT_FUNKNOWN_METHODS(EventList, Vst::IEventList, Vst::IEventList::iid)

    int32 PLUGIN_API EventList::getEventCount()
{
    return static_cast<int32>(list.size());
}

tresult PLUGIN_API EventList::getEvent(int32 index, Vst::Event& e)
{
    if (index < 0 || index >= getEventCount())
        return kInvalidArgument;
    e = list[static_cast<size_t>(index)];
    return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Vst::Event& e)
{
    list.push_back(e);
    return kResultOk;
}

void EventList::addNoteOn(int32 sampleOffset, int16 channel, int16 pitch, float velocity)
{
    Vst::Event e{};
    e.sampleOffset = sampleOffset;
    e.type = Vst::Event::kNoteOnEvent;
    e.noteOn.channel = channel;
    e.noteOn.pitch = pitch;
    e.noteOn.velocity = velocity;
    e.noteOn.noteId = -1;
    addEvent(e);
}

void EventList::addNoteOff(int32 sampleOffset, int16 channel, int16 pitch, float velocity)
{
    Vst::Event e{};
    e.sampleOffset = sampleOffset;
    e.type = Vst::Event::kNoteOffEvent;
    e.noteOff.channel = channel;
    e.noteOff.pitch = pitch;
    e.noteOff.velocity = velocity;
    e.noteOff.noteId = -1;
    addEvent(e);
}

} // namespace ZargHost
