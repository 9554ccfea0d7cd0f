#pragma once

#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace ZargHost
{

// One block's events in the order they were added.
class EventList : public Steinberg::Vst::IEventList
{
public:
    EventList();
    virtual ~EventList() = default;

    Steinberg::int32 PLUGIN_API getEventCount() override;
    Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index,
                                           Steinberg::Vst::Event& e) override;
    Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;

    void addNoteOn(Steinberg::int32 sampleOffset, Steinberg::int16 channel, Steinberg::int16 pitch,
                   float velocity);
    void addNoteOff(Steinberg::int32 sampleOffset, Steinberg::int16 channel, Steinberg::int16 pitch,
                    float velocity = 0.0f);
    const std::vector<Steinberg::Vst::Event>& events() const { return list; }
    void clear() { list.clear(); }

    DECLARE_FUNKNOWN_METHODS

private:
    std::vector<Steinberg::Vst::Event> list;
};

} // namespace ZargHost
