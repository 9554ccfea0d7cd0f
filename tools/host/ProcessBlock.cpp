#include "host/ProcessBlock.h"

#include <algorithm>
#include <stdexcept>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ZargHost
{

ProcessBlock::ProcessBlock(std::vector<int32> inputChannels, std::vector<int32> outputChannels,
                           int32 maxSamples, double sampleRate)
    : capacity(maxSamples), inBuses(makeBuses(inputChannels, maxSamples)),
      outBuses(makeBuses(outputChannels, maxSamples)), inChanges(owned(new ParameterChanges)),
      outChanges(owned(new ParameterChanges)), inEvents(owned(new EventList)),
      outEvents(owned(new EventList))
{
    point(inBuses, inBuffers);
    point(outBuses, outBuffers);
    transport.state = ProcessContext::kPlaying | ProcessContext::kTempoValid |
                      ProcessContext::kTimeSigValid | ProcessContext::kProjectTimeMusicValid;
    transport.sampleRate = sampleRate;
    transport.tempo = 120.0;
    transport.timeSigNumerator = 4;
    transport.timeSigDenominator = 4;
}

std::vector<ProcessBlock::Bus> ProcessBlock::makeBuses(const std::vector<int32>& channels,
                                                       int32 maxSamples)
{
    if (maxSamples < 0)
        throw std::invalid_argument("negative block size");
    std::vector<Bus> buses(channels.size());
    for (size_t b = 0; b < channels.size(); ++b)
    {
        buses[b].samples.assign(static_cast<size_t>(std::max(channels[b], 0)),
                                std::vector<float>(static_cast<size_t>(maxSamples), 0.0f));
        for (auto& channel : buses[b].samples)
            buses[b].pointers.push_back(channel.data());
    }
    return buses;
}

void ProcessBlock::point(std::vector<Bus>& buses, std::vector<AudioBusBuffers>& out)
{
    out.resize(buses.size());
    for (size_t b = 0; b < buses.size(); ++b)
    {
        out[b].numChannels = static_cast<int32>(buses[b].pointers.size());
        out[b].silenceFlags = 0;
        out[b].channelBuffers32 = buses[b].pointers.data();
    }
}

float* ProcessBlock::input(int32 bus, int32 channel)
{
    return inBuses.at(static_cast<size_t>(bus)).samples.at(static_cast<size_t>(channel)).data();
}

float* ProcessBlock::output(int32 bus, int32 channel)
{
    return outBuses.at(static_cast<size_t>(bus)).samples.at(static_cast<size_t>(channel)).data();
}

void ProcessBlock::fillOutputs(float value)
{
    for (auto& bus : outBuses)
        for (auto& channel : bus.samples)
            std::fill(channel.begin(), channel.end(), value);
}

void ProcessBlock::clearChangesAndEvents()
{
    inChanges->clear();
    outChanges->clear();
    inEvents->clear();
    outEvents->clear();
}

void ProcessBlock::advance(int32 numSamples)
{
    transport.projectTimeSamples += numSamples;
    if (transport.sampleRate > 0)
        transport.projectTimeMusic += numSamples / transport.sampleRate * transport.tempo / 60.0;
}

ProcessData& ProcessBlock::data(int32 numSamples, int32 processMode)
{
    if (numSamples < 0 || numSamples > capacity)
        throw std::invalid_argument("block size outside the buffers");
    // A plug-in may have changed the flags of the last call.
    for (auto* buffers : {&inBuffers, &outBuffers})
        for (auto& bus : *buffers)
            bus.silenceFlags = 0;

    processData = ProcessData();
    processData.processMode = processMode;
    processData.symbolicSampleSize = kSample32;
    processData.numSamples = numSamples;
    processData.numInputs = static_cast<int32>(inBuffers.size());
    processData.numOutputs = static_cast<int32>(outBuffers.size());
    processData.inputs = inBuffers.empty() ? nullptr : inBuffers.data();
    processData.outputs = outBuffers.empty() ? nullptr : outBuffers.data();
    processData.inputParameterChanges = inChanges;
    processData.outputParameterChanges = outChanges;
    processData.inputEvents = inEvents;
    processData.outputEvents = outEvents;
    processData.processContext = contextEnabled ? &transport : nullptr;
    return processData;
}

} // namespace ZargHost
