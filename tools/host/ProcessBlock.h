#pragma once

#include "host/EventList.h"
#include "host/ParameterChanges.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <vector>

namespace ZargHost
{

// Everything a host hands to one process call: float buffers per bus and
// channel, input and output parameter changes and events, and a transport.
class ProcessBlock
{
public:
    // Channel counts per bus, e.g. ({2}, {2}, 512) for one stereo bus each way.
    ProcessBlock(std::vector<Steinberg::int32> inputChannels,
                 std::vector<Steinberg::int32> outputChannels, Steinberg::int32 maxSamples,
                 double sampleRate = 44100.0);

    ProcessBlock(const ProcessBlock&) = delete;
    ProcessBlock& operator=(const ProcessBlock&) = delete;

    Steinberg::int32 maxSamples() const { return capacity; }
    float* input(Steinberg::int32 bus, Steinberg::int32 channel);
    float* output(Steinberg::int32 bus, Steinberg::int32 channel);
    // Sets every output sample, so a test can see which ones the plug-in wrote.
    void fillOutputs(float value);

    ParameterChanges& inputChanges() { return *inChanges; }
    ParameterChanges& outputChanges() { return *outChanges; }
    EventList& inputEvents() { return *inEvents; }
    EventList& outputEvents() { return *outEvents; }
    // Clears the changes and events of both directions before the next block.
    void clearChangesAndEvents();

    Steinberg::Vst::ProcessContext& context() { return transport; }
    void setContextEnabled(bool enabled) { contextEnabled = enabled; }
    // Moves the transport on by the samples of the block just processed.
    void advance(Steinberg::int32 numSamples);

    // The ProcessData for one call of numSamples (at most maxSamples).
    Steinberg::Vst::ProcessData& data(Steinberg::int32 numSamples,
                                      Steinberg::int32 processMode = Steinberg::Vst::kRealtime);

private:
    struct Bus
    {
        std::vector<std::vector<float>> samples;
        std::vector<float*> pointers;
    };

    static std::vector<Bus> makeBuses(const std::vector<Steinberg::int32>& channels,
                                      Steinberg::int32 maxSamples);
    static void point(std::vector<Bus>& buses, std::vector<Steinberg::Vst::AudioBusBuffers>& out);

    Steinberg::int32 capacity;
    std::vector<Bus> inBuses;
    std::vector<Bus> outBuses;
    std::vector<Steinberg::Vst::AudioBusBuffers> inBuffers;
    std::vector<Steinberg::Vst::AudioBusBuffers> outBuffers;
    Steinberg::IPtr<ParameterChanges> inChanges;
    Steinberg::IPtr<ParameterChanges> outChanges;
    Steinberg::IPtr<EventList> inEvents;
    Steinberg::IPtr<EventList> outEvents;
    Steinberg::Vst::ProcessContext transport{};
    bool contextEnabled = true;
    Steinberg::Vst::ProcessData processData;
};

} // namespace ZargHost
