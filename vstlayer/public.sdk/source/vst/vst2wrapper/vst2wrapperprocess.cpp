// The wrapper's audio side: set-up and activation, MIDI, and the processing calls.
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <algorithm>

namespace Steinberg::Vst
{

namespace
{

// MIDI status nibbles.
constexpr unsigned char kNoteOff = 0x80;
constexpr unsigned char kNoteOn = 0x90;
constexpr unsigned char kPolyPressure = 0xA0;
constexpr unsigned char kControlChange = 0xB0;
constexpr unsigned char kChannelPressure = 0xD0;
constexpr unsigned char kPitchBendChange = 0xE0;

constexpr int32 kMaxBlockSize = 1 << 16;

float dataValue(unsigned char data)
{
    return static_cast<float>(data) / 127.0f;
}

// The host's channels from sample start on (null where the host gave none).
void pointAt(std::vector<float*>& part, float* const* channels, int32 start)
{
    for (size_t c = 0; c < part.size(); ++c)
        part[c] = channels && channels[c] ? channels[c] + start : nullptr;
}

} // namespace

void Vst2Wrapper::setSampleRate(float rate)
{
    if (!(rate > 0.0f))
        return;
    setup.sampleRate = rate;
    // Hosts change the rate while suspended; one that does not still gets it applied.
    if (active)
    {
        suspend();
        resume();
    }
}

void Vst2Wrapper::setBlockSize(VstIntPtr size)
{
    if (size <= 0)
        return;
    setup.maxSamplesPerBlock = static_cast<int32>(std::min<VstIntPtr>(size, kMaxBlockSize));
    if (active)
    {
        suspend();
        resume();
    }
}

void Vst2Wrapper::resume()
{
    if (active)
        return;
    const auto blockSize = static_cast<size_t>(setup.maxSamplesPerBlock);
    accumulateScratch.assign(static_cast<size_t>(effect.numOutputs), std::vector<float>(blockSize));
    for (size_t c = 0; c < accumulateScratch.size(); ++c)
        accumulateOutputs[c] = accumulateScratch[c].data();
    processor->setupProcessing(setup);
    component->setActive(true);
    processor->setProcessing(true);
    active = true;
    const auto latency = static_cast<VstInt32>(processor->getLatencySamples());
    if (latency != effect.initialDelay)
    {
        effect.initialDelay = latency;
        callHost(Vst2::kAudioMasterIOChanged);
    }
}

void Vst2Wrapper::suspend()
{
    if (!active)
        return;
    processor->setProcessing(false);
    component->setActive(false);
    active = false;
    events.clear();
    inputChanges.clear();
}

void Vst2Wrapper::processEvents(const VstEvents* list)
{
    if (!list || !hasEventInput)
        return;
    for (int i = 0; i < list->numEvents; ++i)
    {
        const VstEvent* event = list->events[i];
        if (event && event->type == kVstMidiType)
        {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            mapMidiEvent(std::max(midi->deltaFrames, 0), midi->midiData);
        }
    }
}

// Notes become events; controllers, channel pressure and pitch bend become changes of
// the parameters the plug-in maps them to, as a VST3 host does.
void Vst2Wrapper::mapMidiEvent(int32 offset, const unsigned char* midi)
{
    const auto channel = static_cast<int16>(midi[0] & 0x0F);
    const auto data1 = static_cast<unsigned char>(midi[1] & 0x7F);
    const auto data2 = static_cast<unsigned char>(midi[2] & 0x7F);
    Event event{};
    event.busIndex = 0;
    event.sampleOffset = offset;
    event.flags = Event::kIsLive;
    switch (midi[0] & 0xF0)
    {
    case kNoteOn:
        if (data2 > 0)
        {
            event.type = Event::kNoteOnEvent;
            event.noteOn = {channel, data1, 0.0f, dataValue(data2), 0, -1};
            events.add(event);
            break;
        }
        [[fallthrough]];
    case kNoteOff:
        event.type = Event::kNoteOffEvent;
        event.noteOff = {channel, data1, dataValue(data2), -1, 0.0f};
        events.add(event);
        break;
    case kPolyPressure:
        event.type = Event::kPolyPressureEvent;
        event.polyPressure = {channel, data1, dataValue(data2), -1};
        events.add(event);
        break;
    case kControlChange:
        mapController(offset, channel, data1, dataValue(data2));
        break;
    case kChannelPressure:
        mapController(offset, channel, kAfterTouch, dataValue(data1));
        break;
    case kPitchBendChange:
        mapController(offset, channel, kPitchBend, ((data2 << 7) | data1) / 16383.0);
        break;
    default:
        break;
    }
}

void Vst2Wrapper::mapController(int32 offset, int32 channel, int32 number, ParamValue value)
{
    if (midiControllers.empty())
        return;
    const ParamID id = midiControllers[static_cast<size_t>(channel * kCountCtrlNumber + number)];
    if (id == kNoParamId)
        return;
    inputChanges.add(id, offset, value);
    // The host and the editor see the value the controller moved the parameter to.
    if (ParameterSlot* slot = slotAt(indexOf(id)))
    {
        slot->value.store(value, std::memory_order_relaxed);
        slot->toController.store(true, std::memory_order_release);
    }
}

void Vst2Wrapper::updateContext(int32 frames)
{
    context = ProcessContext{};
    context.sampleRate = setup.sampleRate;
    const auto* time = reinterpret_cast<const VstTimeInfo*>(host(
        &effect, audioMasterGetTime, 0,
        kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid,
        nullptr, 0.0f));
    if (!time)
    {
        // A host without a transport: the position counts the samples processed.
        context.projectTimeSamples = ownSamplePosition;
        ownSamplePosition += frames;
        return;
    }
    context.projectTimeSamples = static_cast<TSamples>(time->samplePos);
    const auto flagged = [time](int flag) { return (time->flags & flag) != 0; };
    if (flagged(kVstTransportPlaying))
        context.state |= ProcessContext::kPlaying;
    if (flagged(kVstTransportRecording))
        context.state |= ProcessContext::kRecording;
    if (flagged(kVstTransportCycleActive))
        context.state |= ProcessContext::kCycleActive;
    if (flagged(kVstTempoValid))
    {
        context.tempo = time->tempo;
        context.state |= ProcessContext::kTempoValid;
    }
    if (flagged(kVstPpqPosValid))
    {
        context.projectTimeMusic = time->ppqPos;
        context.state |= ProcessContext::kProjectTimeMusicValid;
    }
    if (flagged(kVstBarsValid))
    {
        context.barPositionMusic = time->barStartPos;
        context.state |= ProcessContext::kBarPositionValid;
    }
    if (flagged(kVstCyclePosValid))
    {
        context.cycleStartMusic = time->cycleStartPos;
        context.cycleEndMusic = time->cycleEndPos;
        context.state |= ProcessContext::kCycleValid;
    }
    if (flagged(kVstTimeSigValid))
    {
        context.timeSigNumerator = time->timeSigNumerator;
        context.timeSigDenominator = time->timeSigDenominator;
        context.state |= ProcessContext::kTimeSigValid;
    }
}

void Vst2Wrapper::processReplacing(float** inputs, float** outputs, int32 frames)
{
    process(inputs, outputs, frames, false);
}

void Vst2Wrapper::processAccumulating(float** inputs, float** outputs, int32 frames)
{
    process(inputs, outputs, frames, true);
}

void Vst2Wrapper::process(float** inputs, float** outputs, int32 frames, bool accumulate)
{
    if (frames <= 0 || !outputs)
        return;
    if (!active)
    {
        if (accumulate)
            return;
        for (int32 c = 0; c < effect.numOutputs; ++c)
            if (outputs[c])
                std::fill(outputs[c], outputs[c] + frames, 0.0f);
        return;
    }
    for (int32 i = 0; i < slotCount; ++i)
    {
        ParameterSlot& slot = slots[static_cast<size_t>(i)];
        if (slot.toProcessor.exchange(false, std::memory_order_acquire))
            inputChanges.add(slot.id, 0, slot.value.load(std::memory_order_relaxed));
    }
    updateContext(frames);

    // A host block longer than announced goes to the processor in parts.
    const int32 maxBlock = setup.maxSamplesPerBlock;
    if (frames > maxBlock)
        inputChanges.limitOffsets(maxBlock);
    AudioBusBuffers inputBus{};
    inputBus.numChannels = effect.numInputs;
    inputBus.channelBuffers32 = inputPointers.data();
    AudioBusBuffers outputBus{};
    outputBus.numChannels = effect.numOutputs;
    outputBus.channelBuffers32 = outputPointers.data();
    ProcessData data{};
    data.processMode = setup.processMode;
    data.symbolicSampleSize = kSample32;
    data.numInputs = effect.numInputs > 0 ? 1 : 0;
    data.inputs = &inputBus;
    data.numOutputs = 1;
    data.outputs = &outputBus;
    data.inputEvents = &events;
    data.outputParameterChanges = &outputChanges;
    data.processContext = &context;
    for (int32 start = 0; start < frames; start += maxBlock)
    {
        const int32 length = std::min(maxBlock, frames - start);
        pointAt(inputPointers, inputs, start);
        // Accumulating: the part goes to scratch first, then onto the host's output.
        if (accumulate)
            std::copy(accumulateOutputs.begin(), accumulateOutputs.end(), outputPointers.begin());
        else
            pointAt(outputPointers, outputs, start);
        events.showPart(start, length, start + length >= frames);
        data.numSamples = length;
        data.inputParameterChanges = start == 0 ? &inputChanges : &noChanges;
        // What the plug-in reports back is not for a VST2 host: it re-reads the
        // values after its own program and chunk calls.
        outputChanges.clear();
        processor->process(data);
        context.projectTimeSamples += length;
        if (accumulate)
            for (int32 c = 0; c < effect.numOutputs; ++c)
                if (outputs[c])
                    for (int32 i = 0; i < length; ++i)
                        outputs[c][start + i] += accumulateOutputs[static_cast<size_t>(c)][i];
    }
    inputChanges.clear();
    events.clear();
}

void Vst2Wrapper::processReplacingProc(AEffect* effect, float** inputs, float** outputs, int frames)
{
    if (Vst2Wrapper* wrapper = of(effect))
        wrapper->processReplacing(inputs, outputs, frames);
}

void Vst2Wrapper::processProc(AEffect* effect, float** inputs, float** outputs, int frames)
{
    if (Vst2Wrapper* wrapper = of(effect))
        wrapper->processAccumulating(inputs, outputs, frames);
}

} // namespace Steinberg::Vst
