#pragma once

#include <cstdint>

// The host adapter's view of the current block's MIDI events, for objects
// that process whole buffers and pull the events themselves.
class IMidiEventList
{
public:
    virtual uint32_t getEventCount() = 0;
    // Delivers the events at sampleOffset to the plug-in object; true when at
    // least one note or poly-pressure event was delivered.
    virtual bool fireMidiEvents(uint32_t sampleOffset) = 0;

protected:
    // Owned and deleted by the adapter only.
    ~IMidiEventList() = default;
};
