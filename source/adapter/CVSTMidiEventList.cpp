#include "adapter/CVSTMidiEventList.h"

#include "framework/CPlugIn.h"

#include "pluginterfaces/vst/ivstevents.h"

namespace Zeri2VST3
{

using Steinberg::kResultOk;
using Steinberg::Vst::Event;

uint32_t CVSTMidiEventList::getEventCount()
{
    return eventList ? static_cast<uint32_t>(eventList->getEventCount()) : 0;
}

bool CVSTMidiEventList::fireMidiEvents(uint32_t sampleOffset)
{
    if (!eventList)
        return false;
    bool delivered = false;
    Event event{};
    while (eventList->getEvent(static_cast<Steinberg::int32>(readPosition), event) == kResultOk &&
           event.sampleOffset == static_cast<Steinberg::int32>(sampleOffset))
    {
        switch (event.type)
        {
        case Event::kNoteOnEvent:
            if (plugIn)
                plugIn->onMidiNoteOn(static_cast<uint32_t>(event.noteOn.channel),
                                     static_cast<uint32_t>(event.noteOn.pitch),
                                     static_cast<uint32_t>(event.noteOn.velocity * 127.0f));
            delivered = true;
            break;
        case Event::kNoteOffEvent:
            if (plugIn)
                plugIn->onMidiNoteOff(static_cast<uint32_t>(event.noteOff.channel),
                                      static_cast<uint32_t>(event.noteOff.pitch),
                                      static_cast<uint32_t>(event.noteOff.velocity * 127.0f),
                                      false);
            delivered = true;
            break;
        case Event::kPolyPressureEvent:
            if (plugIn)
                plugIn->onMidiMessage(
                    static_cast<uint8_t>(event.polyPressure.channel), 0xA0,
                    static_cast<uint8_t>(event.polyPressure.pitch),
                    static_cast<uint8_t>(static_cast<int>(event.polyPressure.pressure * 127.0f)));
            delivered = true;
            break;
        default:
            break;
        }
        ++readPosition;
    }
    return delivered;
}

} // namespace Zeri2VST3
