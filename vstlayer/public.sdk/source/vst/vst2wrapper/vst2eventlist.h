#pragma once

#include "pluginterfaces/vst/ivstevents.h"

#include <array>

namespace Steinberg::Vst
{

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The events of one host block in offset order, in place: filled and read on the audio
// thread, which must not allocate. A host block longer than the plug-in takes is
// processed in parts; the list then shows the events of one part at a time, with
// offsets from that part's start. Not reference counted; its owner keeps it.
class Vst2EventList : public IEventList
{
public:
    static constexpr int32 kMaxEvents = 1024;

    // Events beyond the capacity are dropped.
    void add(const Event& event);
    void clear();
    // Shows the events from sample start on, numSamples long (nothing until called);
    // the last part also shows those after its end, on its last sample.
    void showPart(int32 start, int32 numSamples, bool lastPart);

    int32 PLUGIN_API getEventCount() override { return partEnd - partBegin; }
    tresult PLUGIN_API getEvent(int32 index, Event& e) override;
    tresult PLUGIN_API addEvent(Event& e) override;

    tresult PLUGIN_API queryInterface(const TUID queried, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    std::array<Event, kMaxEvents> events{};
    int32 count = 0;
    int32 partBegin = 0;
    int32 partEnd = 0;
    int32 partStart = 0;
    int32 partLast = 0;
};
#pragma GCC diagnostic pop

} // namespace Steinberg::Vst
