// The audio path of the processor: one host processing call becomes calls of
// the plug-in object, frame by frame or as whole buffers.
#include "adapter/CVSTMidiEventList.h"
#include "adapter/CVSTParamUpdateQueue.h"
#include "adapter/Processor.h"
#include "adapter/Taper.h"
#include "framework/CPlugIn.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Zeri2VST3
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

constexpr char16 kRawMidiTag[] = u"ZOLVMIDI";

bool isRawMidiTag(const TChar* text)
{
    if (!text)
        return false;
    for (size_t i = 0; i < std::size(kRawMidiTag); ++i)
        if (text[i] != kRawMidiTag[i])
            return false;
    return true;
}

uint8 midiByte(double value)
{
    return static_cast<uint8>(static_cast<int32>(value * 127.0));
}

// Number of speakers of an arrangement, capped by the channels the host's
// buffers really have.
int32 usableChannels(const AudioBusBuffers& bus, SpeakerArrangement arrangement)
{
    const int32 speakers = SpeakerArr::getChannelCount(arrangement);
    return std::min({speakers, bus.numChannels, int32{2}});
}

// A channel's samples from `offset` on; null when the host gave none.
float* channel(const AudioBusBuffers& bus, int32 index, int32 offset = 0)
{
    float* samples =
        index < bus.numChannels && bus.channelBuffers32 ? bus.channelBuffers32[index] : nullptr;
    return samples ? samples + offset : nullptr;
}

// The transport message; time is null when the host sent no transport.
PlugInMessage timeMessage(HostTimeInfo* time)
{
    PlugInMessage message{};
    message.hostTimeInfo = time;
    message.endMarker = -1;
    return message;
}

// Moves the transport on by samples and tells the object where it now is.
void advanceHostTime(CPlugIn& plugIn, HostTimeInfo& time, uint32 samples, PlugInMessage& message)
{
    time.samplePosition += samples;
    time.timeSeconds = static_cast<double>(time.samplePosition) / plugIn.m_sampleRate;
    plugIn.onHostMessage(kHostMessageTimeInfo, message);
}

} // namespace

tresult PLUGIN_API Processor::process(ProcessData& data)
{
    if (!plugIn)
        return kResultFalse;
    const bool outputOnly = plugIn->m_outputOnly;

    // Parameter changes apply whatever else the call carries: hosts flush
    // them with blocks of no samples and no buffers while stopped.
    handover.applyPending();
    applyParameterChanges(data);
    presetReport.deliver(data.outputParameterChanges);

    if (data.numSamples < 0 || data.numOutputs < 1 || !data.outputs ||
        !data.outputs[0].channelBuffers32)
        return kResultOk;
    if (!outputOnly && (data.numInputs < 1 || !data.inputs || !data.inputs[0].channelBuffers32))
        return kResultOk;

    SpeakerArrangement arrangement = SpeakerArr::kStereo;
    getBusArrangement(kOutput, 0, arrangement);
    int32 channels = usableChannels(data.outputs[0], arrangement);
    if (!outputOnly)
        channels = std::min(channels, data.inputs[0].numChannels);

    const bool hasContext = data.processContext != nullptr;
    if (hasContext)
    {
        const ProcessContext& context = *data.processContext;
        hostTime = HostTimeInfo{};
        hostTime.samplePosition = static_cast<uint32>(context.projectTimeSamples);
        hostTime.timeSeconds = static_cast<double>(hostTime.samplePosition) / plugIn->m_sampleRate;
        hostTime.tempoBpm = context.tempo;
        hostTime.timeSigNumerator = static_cast<float>(context.timeSigNumerator);
        hostTime.timeSigDenominator = static_cast<uint32>(context.timeSigDenominator);
        PlugInMessage message = timeMessage(&hostTime);
        plugIn->onHostMessage(kHostMessageTimeInfo, message);
    }

    // An instrument has nothing to bypass to.
    softBypass.setBypassed(!outputOnly && bypass.load(std::memory_order_relaxed));

    IEventList* events = data.inputEvents;
    if (midiEventList)
        midiEventList->setEventList(events);

    if (plugIn->m_processesBuffers)
        processWholeBuffers(data, channels, hasContext);
    else
        processFrames(data, channels, hasContext);
    return kResultOk;
}

void Processor::applyParameterChanges(ProcessData& data)
{
    IParameterChanges* changes = data.inputParameterChanges;
    if (!changes)
        return;
    const int32 count = changes->getParameterCount();
    for (int32 q = 0; q < count; ++q)
    {
        IParamValueQueue* queue = changes->getParameterData(q);
        if (!queue || queue->getPointCount() <= 0)
            continue;
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(queue->getPointCount() - 1, offset, value) != kResultOk)
            continue;
        // Host values are untrusted: NaN is dropped, the rest kept inside 0..1.
        if (std::isnan(value))
            continue;
        value = std::clamp(value, 0.0, 1.0);

        const ParamID id = queue->getParameterId();
        CControlDescriptor* control = plugIn->m_controlList.get(id);
        if (!control)
        {
            applyAdapterParameter(id, value);
            continue;
        }
        // Hosts re-send values they hold; the one the control already stands
        // for changes nothing (the control works in single precision).
        handover.hostChangeArrived(id);
        if (!sampleAccurate &&
            static_cast<float>(value) == static_cast<float>(handover.hostValue(id)))
            continue;
        const float fraction = Taper::controlFraction(*control, value);
        if (sampleAccurate && paramUpdateQueues && paramUpdateQueues[id])
        {
            paramUpdateQueues[id]->prepare(queue, data.numSamples);
            control->updateQueue = paramUpdateQueues[id];
        }
        else
            control->updateQueue = nullptr;
        plugIn->setNormalizedControlValue(id, fraction, false);
        handover.controlChangedOnAudioThread(id);
        handover.setHostValue(id, value);
    }
}

void Processor::applyAdapterParameter(ParamID id, double value)
{
    switch (id)
    {
    case kAssignableButton1Id:
        plugIn->onControlChange(kButtonControlId1);
        break;
    case kAssignableButton2Id:
        plugIn->onControlChange(kButtonControlId2);
        break;
    case kAssignableButton3Id:
        plugIn->onControlChange(kButtonControlId3);
        break;
    case kJoystickXId:
        joystickX = 2.0 * value - 1.0;
        plugIn->setJoystickX(static_cast<float>(joystickX), true);
        handover.joystickChangedOnAudioThread();
        handover.hostJoystickArrived(true);
        break;
    case kJoystickYId:
        joystickY = 2.0 * value - 1.0;
        plugIn->setJoystickY(static_cast<float>(joystickY), true);
        handover.joystickChangedOnAudioThread();
        handover.hostJoystickArrived(false);
        break;
    case kBypassId:
        bypass.store(value != 0.0, std::memory_order_relaxed);
        bypassEdit.store(kNoEdit, std::memory_order_relaxed);
        break;
    default:
        if (id >= kPitchBendId && id <= kAllNotesOffId)
            applyMidiParameter(id, value);
        break;
    }
}

void Processor::applyMidiParameter(ParamID id, double value)
{
    switch (id)
    {
    case kPitchBendId:
    {
        const double bend = 2.0 * value - 1.0;
        const int32 amount = bend == -1.0 ? -8192 : static_cast<int32>(bend * 8191.0);
        plugIn->onMidiPitchBend(0, amount, static_cast<float>(bend));
        break;
    }
    case kModWheelId:
        plugIn->onMidiModWheel(0, static_cast<uint32>(static_cast<float>(value) * 127.0f));
        break;
    case kMidiVolumeId:
        plugIn->onMidiMessage(0, 0xB0, 7, midiByte(value));
        break;
    case kMidiPanId:
        plugIn->onMidiMessage(0, 0xB0, 10, midiByte(value));
        break;
    case kMidiExpressionId:
        plugIn->onMidiMessage(0, 0xB0, 11, midiByte(value));
        break;
    case kSustainPedalId:
        plugIn->onMidiMessage(0, 0xB0, 64, value > 0.5 ? 127 : 0);
        break;
    case kChannelPressureId:
        plugIn->onMidiMessage(0, 0xD0, midiByte(value), 0);
        break;
    case kAllNotesOffId:
        plugIn->onMidiNoteOff(0, 0, 0, true);
        break;
    default:
        break;
    }
}

void Processor::deliverEvent(const Event& event)
{
    switch (event.type)
    {
    case Event::kNoteOnEvent:
        plugIn->onMidiNoteOn(static_cast<uint32>(event.noteOn.channel),
                             static_cast<uint32>(event.noteOn.pitch),
                             static_cast<uint32>(event.noteOn.velocity * 127.0f));
        break;
    case Event::kNoteOffEvent:
        plugIn->onMidiNoteOff(static_cast<uint32>(event.noteOff.channel),
                              static_cast<uint32>(event.noteOff.pitch),
                              static_cast<uint32>(event.noteOff.velocity * 127.0f), false);
        break;
    case Event::kPolyPressureEvent:
        plugIn->onMidiMessage(
            static_cast<uint8>(event.polyPressure.channel), 0xA0,
            static_cast<uint8>(event.polyPressure.pitch),
            static_cast<uint8>(static_cast<int32>(event.polyPressure.pressure * 127.0f)));
        break;
    case Event::kChordEvent:
    {
        const ChordEvent& chord = event.chord;
        if (!isRawMidiTag(chord.text))
            break;
        const auto channelNumber = static_cast<uint32>(chord.root);
        const int32 status = chord.bassNote;
        const int32 data1 = chord.mask;
        const int32 data2 = chord.textLen;
        if (status == 0xB0 && data1 == 1)
            plugIn->onMidiModWheel(channelNumber, static_cast<uint32>(data2));
        else if (status == 0xB0 && data1 == 123)
            plugIn->onMidiNoteOff(channelNumber, 0, 0, true);
        else if (status == 0xF8)
            plugIn->onMidiClock();
        else if (status == 0xE0)
        {
            const int32 amount = ((data2 & 0x7F) * 128 + (data1 & 0x7F)) - 8192;
            const float normalized = static_cast<float>(amount == -8192 ? -8191 : amount) / 8191.0f;
            plugIn->onMidiPitchBend(channelNumber, amount, normalized);
        }
        else if (plugIn->m_wantsAllMidi)
            plugIn->onMidiMessage(static_cast<uint8>(channelNumber), static_cast<uint8>(status),
                                  static_cast<uint8>(data1), static_cast<uint8>(data2));
        break;
    }
    default:
        break;
    }
}

bool Processor::sidechainActive(const ProcessData& data) const
{
    if (!wantsSidechain || data.numInputs < 2 || !data.inputs)
        return false;
    auto* bus = const_cast<Processor*>(this)->getBusList(kAudio, kInput);
    return bus && bus->size() > 1 && bus->at(1)->isActive() && data.inputs[1].channelBuffers32;
}

void Processor::processWholeBuffers(ProcessData& data, int32 channels, bool hasContext)
{
    // The dry input is kept before an in-place object overwrites it; blocks
    // longer than announced go through in pieces of the announced length.
    const auto piece = static_cast<int32>(dryScratch[0].size());
    int32 start = 0;
    do
    {
        const int32 length = std::min(piece, data.numSamples - start);
        processWholeBufferChunk(data, channels, start, length);
        start += length;
    } while (start < data.numSamples);
    // The frame path sends the transport after every frame; the object ends up where
    // that path leaves it.
    PlugInMessage message = timeMessage(hasContext ? &hostTime : nullptr);
    advanceHostTime(*plugIn, hostTime, static_cast<uint32>(data.numSamples), message);
    reportMeters(data, true);
}

void Processor::processWholeBufferChunk(ProcessData& data, int32 channels, int32 start,
                                        int32 length)
{
    if (sidechainActive(data))
    {
        float* side[2] = {channel(data.inputs[1], 0, start), channel(data.inputs[1], 1, start)};
        AuxInputInfo aux{};
        aux.buffers = side;
        aux.channelCount = data.inputs[1].numChannels;
        aux.present = true;
        plugIn->onAuxInput(aux);
    }
    const bool outputOnly = plugIn->m_outputOnly;
    float* in[2] = {silence.data(), silence.data()};
    float* out[2] = {nullptr, nullptr};
    for (int32 c = 0; c < channels; ++c)
    {
        out[c] = channel(data.outputs[0], c, start);
        if (!outputOnly)
        {
            in[c] = channel(data.inputs[0], c, start);
            if (in[c])
                std::copy_n(in[c], length, dryScratch[c].data());
            else
                std::fill_n(dryScratch[c].data(), length, 0.0f);
        }
    }
    plugIn->processChannelBuffers(in, out, static_cast<uint32>(channels), length);
    if (outputOnly)
        return;
    for (int32 i = 0; i < length; ++i)
    {
        float dry[2] = {dryScratch[0][static_cast<size_t>(i)],
                        dryScratch[1][static_cast<size_t>(i)]};
        float wet[2] = {out[0] ? out[0][i] : 0.0f, out[1] ? out[1][i] : 0.0f};
        softBypass.processFrame(dry, wet, channels);
        for (int32 c = 0; c < channels; ++c)
            if (out[c])
                out[c][i] = wet[c];
    }
}

void Processor::processFrames(ProcessData& data, int32 channels, bool hasContext)
{
    IEventList* events = data.inputEvents;
    const int32 eventCount = events ? events->getEventCount() : 0;
    int32 eventIndex = 0;
    Event event{};
    bool eventPending = eventCount > 0 && events->getEvent(0, event) == kResultOk;

    const bool sidechain = sidechainActive(data);
    const bool outputOnly = plugIn->m_outputOnly;
    float* in[2] = {outputOnly ? nullptr : channel(data.inputs[0], 0),
                    outputOnly ? nullptr : channel(data.inputs[0], 1)};
    float* out[2] = {channel(data.outputs[0], 0), channel(data.outputs[0], 1)};
    float inputFrame[2] = {0.0f, 0.0f};
    float outputFrame[2] = {0.0f, 0.0f};
    float sideFrame[2] = {0.0f, 0.0f};

    PlugInMessage message = timeMessage(hasContext ? &hostTime : nullptr);
    for (int32 i = 0; i < data.numSamples; ++i)
    {
        if (sidechain)
        {
            const AudioBusBuffers& side = data.inputs[1];
            const float* s0 = channel(side, 0);
            const float* s1 = side.numChannels == 2 ? channel(side, 1) : nullptr;
            sideFrame[0] = s0 ? s0[i] : 0.0f;
            if (s1)
                sideFrame[1] = s1[i];
            AuxInputInfo aux{};
            aux.frame = sideFrame;
            aux.channelCount = side.numChannels;
            aux.present = true;
            plugIn->onAuxInput(aux);
        }
        while (eventPending && event.sampleOffset == i)
        {
            deliverEvent(event);
            ++eventIndex;
            eventPending =
                eventIndex < eventCount && events->getEvent(eventIndex, event) == kResultOk;
        }
        if (!outputOnly)
        {
            inputFrame[0] = in[0] ? in[0][i] : 0.0f;
            if (channels == 2)
                inputFrame[1] = in[1] ? in[1][i] : 0.0f;
        }
        plugIn->processFrame(inputFrame, outputFrame, static_cast<uint32>(channels),
                             static_cast<uint32>(channels));
        if (!outputOnly)
            softBypass.processFrame(inputFrame, outputFrame, channels);
        if (out[0])
            out[0][i] = outputFrame[0];
        if (channels == 2 && out[1])
            out[1][i] = outputFrame[1];

        advanceHostTime(*plugIn, hostTime, 1, message);
    }
    reportMeters(data, softBypass.isBypassed());
}

void Processor::reportMeters(ProcessData& data, bool notMetered)
{
    IParameterChanges* outputs = data.outputParameterChanges;
    if (!outputs)
        return;
    for (int32 id : meterParameterIds)
    {
        int32 queueIndex = 0;
        IParamValueQueue* queue = outputs->addParameterData(static_cast<ParamID>(id), queueIndex);
        const CControlDescriptor* control = plugIn->m_controlList.get(static_cast<uint32>(id));
        if (!queue || !control || !control->meterVariable)
            continue;
        int32 pointIndex = 0;
        const double value = notMetered ? 0.0 : static_cast<double>(*control->meterVariable);
        queue->addPoint(0, value, pointIndex);
    }
}

} // namespace Zeri2VST3
