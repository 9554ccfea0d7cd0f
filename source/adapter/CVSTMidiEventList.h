#pragma once

#include "framework/IMidiEventList.h"

#include <cstdint>

class CPlugIn;

namespace Steinberg::Vst
{
class IEventList;
}

namespace Zeri2VST3
{

// Lets a plug-in object that processes whole buffers pull the block's note
// and poly-pressure events itself, one sample offset at a time.
class CVSTMidiEventList final : public IMidiEventList
{
public:
    explicit CVSTMidiEventList(CPlugIn* receiver) : plugIn(receiver) {}

    // Called at the start of every block with its list, null when the host sent none;
    // it is not cleared when the block ends.
    void setEventList(Steinberg::Vst::IEventList* list)
    {
        eventList = list;
        readPosition = 0;
    }

    uint32_t getEventCount() override;
    bool fireMidiEvents(uint32_t sampleOffset) override;

private:
    CPlugIn* plugIn;
    Steinberg::Vst::IEventList* eventList = nullptr;
    uint32_t readPosition = 0;
};

} // namespace Zeri2VST3
