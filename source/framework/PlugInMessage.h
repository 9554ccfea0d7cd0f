#pragma once

#include <cstdint>

struct HostTimeInfo;
class IMidiEventList;

// Message types of CPlugIn::onHostMessage.
constexpr int32_t kHostMessageTimeInfo = 2;
constexpr int32_t kHostMessageMidiEventList = 5;

struct PlugInMessage
{
    HostTimeInfo* hostTimeInfo = nullptr;    // type 2; null: the host sent no time information
    IMidiEventList* midiEventList = nullptr; // type 5
    int32_t endMarker = 0;                   // the adapter sets -1
};
