#include "TestEffect.h"

#include "TestEffectIds.h"
#include "base/source/fstreamer.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <algorithm>
#include <new>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ZargTestEffect
{

FUnknown* TestEffect::createInstance(void* /*context*/)
{
    auto* effect = new (std::nothrow) TestEffect;
    return effect ? static_cast<IAudioProcessor*>(effect) : nullptr;
}

tresult PLUGIN_API TestEffect::initialize(FUnknown* context)
{
    const tresult result = SingleComponentEffect::initialize(context);
    if (result != kResultOk)
        return result;
    addAudioInput(STR16("Stereo In"), SpeakerArr::kStereo);
    addAudioOutput(STR16("Stereo Out"), SpeakerArr::kStereo);
    addEventInput(STR16("Event In"), 1);
    parameters.addParameter(STR16("Gain"), nullptr, 0, 0.5, ParameterInfo::kCanAutomate, kGainId);
    parameters.addParameter(STR16("Last Note"), nullptr, 0, 0, ParameterInfo::kIsReadOnly,
                            kLastNoteId);
    parameters.addParameter(STR16("Tempo"), nullptr, 0, 0, ParameterInfo::kIsReadOnly, kTempoId);
    parameters.addParameter(STR16("Block"), nullptr, 0, 0, ParameterInfo::kIsReadOnly,
                            kBlockSamplesId);
    return kResultOk;
}

tresult PLUGIN_API TestEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                  SpeakerArrangement* outputs, int32 numOuts)
{
    if (numIns != 1 || numOuts != 1 || !inputs || !outputs || inputs[0] != outputs[0])
        return kResultFalse;
    if (inputs[0] != SpeakerArr::kMono && inputs[0] != SpeakerArr::kStereo)
        return kResultFalse;
    return SingleComponentEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API TestEffect::setProcessing(TBool /*state*/)
{
    return kResultOk;
}

void TestEffect::applyParameterChanges(IParameterChanges* changes)
{
    if (!changes)
        return;
    for (int32 i = 0; i < changes->getParameterCount(); ++i)
    {
        IParamValueQueue* queue = changes->getParameterData(i);
        if (!queue || queue->getParameterId() != kGainId || queue->getPointCount() <= 0)
            continue;
        int32 offset = 0;
        ParamValue value = 0;
        if (queue->getPoint(queue->getPointCount() - 1, offset, value) == kResultOk)
            gain = 2.0 * value;
    }
}

void TestEffect::reportOutputs(ProcessData& data)
{
    if (!data.outputParameterChanges)
        return;
    auto report = [&](ParamID id, ParamValue value)
    {
        int32 index = 0;
        if (IParamValueQueue* queue = data.outputParameterChanges->addParameterData(id, index))
            queue->addPoint(0, value, index);
    };
    report(kLastNoteId, lastNote);
    if (data.processContext && (data.processContext->state & ProcessContext::kTempoValid))
        report(kTempoId, data.processContext->tempo / 1000.0);
    if (processSetup.maxSamplesPerBlock > 0)
        report(kBlockSamplesId, static_cast<double>(data.numSamples) /
                                    static_cast<double>(processSetup.maxSamplesPerBlock));
}

tresult PLUGIN_API TestEffect::process(ProcessData& data)
{
    if (data.symbolicSampleSize != kSample32)
        return kResultFalse;
    applyParameterChanges(data.inputParameterChanges);
    if (data.inputEvents)
    {
        Event event{};
        for (int32 i = 0; i < data.inputEvents->getEventCount(); ++i)
            if (data.inputEvents->getEvent(i, event) == kResultOk &&
                event.type == Event::kNoteOnEvent)
                lastNote = event.noteOn.pitch / 127.0;
    }
    reportOutputs(data);

    if (data.numSamples <= 0 || data.numOutputs <= 0 || !data.outputs)
        return kResultOk;
    AudioBusBuffers& out = data.outputs[0];
    const AudioBusBuffers* in = data.numInputs > 0 && data.inputs ? &data.inputs[0] : nullptr;
    if (!out.channelBuffers32)
        return kResultOk;
    for (int32 ch = 0; ch < out.numChannels; ++ch)
    {
        float* dst = out.channelBuffers32[ch];
        const float* src =
            in && in->channelBuffers32 && ch < in->numChannels ? in->channelBuffers32[ch] : nullptr;
        if (!dst)
            continue;
        for (int32 i = 0; i < data.numSamples; ++i)
            dst[i] = src ? static_cast<float>(static_cast<double>(src[i]) * gain) : 0.0f;
    }
    out.silenceFlags = 0;
    return kResultOk;
}

tresult PLUGIN_API TestEffect::getState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    IBStreamer streamer(state, kLittleEndian);
    return streamer.writeDouble(gain / 2.0) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API TestEffect::setState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    IBStreamer streamer(state, kLittleEndian);
    double value = 0;
    if (!streamer.readDouble(value) || !(value >= 0.0 && value <= 1.0))
        return kResultFalse;
    gain = 2.0 * value;
    setParamNormalized(kGainId, value);
    if (componentHandler)
        componentHandler->restartComponent(kParamValuesChanged);
    return kResultOk;
}

} // namespace ZargTestEffect
