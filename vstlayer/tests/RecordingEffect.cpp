#include "RecordingEffect.h"

#include "base/source/fstreamer.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <new>
#include <sstream>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ZargTestEffect
{

namespace
{
std::vector<RecordingEffect*>& living()
{
    static std::vector<RecordingEffect*> effects;
    return effects;
}
} // namespace

FUnknown* RecordingEffect::createInstance(void*)
{
    auto* effect = new (std::nothrow) RecordingEffect;
    return effect ? static_cast<IAudioProcessor*>(effect) : nullptr;
}

RecordingEffect* RecordingEffect::last()
{
    return living().empty() ? nullptr : living().back();
}

RecordingEffect::RecordingEffect()
{
    living().push_back(this);
}

RecordingEffect::~RecordingEffect()
{
    std::erase(living(), this);
}

tresult PLUGIN_API RecordingEffect::initialize(FUnknown* context)
{
    const tresult result = SingleComponentEffect::initialize(context);
    if (result != kResultOk)
        return result;
    addAudioInput(STR16("Main In"), SpeakerArr::kStereo);
    addAudioInput(STR16("Side In"), SpeakerArr::kStereo, kAux);
    addAudioOutput(STR16("Main Out"), SpeakerArr::kStereo);
    addEventInput(STR16("Events"), 16);
    parameters.addParameter(STR16("Gain"), STR16("x2"), 0, 0.5, ParameterInfo::kCanAutomate,
                            kGainId);
    parameters.addParameter(STR16("Bend"), nullptr, 0, 0.5, ParameterInfo::kCanAutomate, kBendId);
    parameters.addParameter(STR16("Bypass"), nullptr, 1, 0,
                            ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, kBypassId);
    parameters.addParameter(STR16("Level"), nullptr, 0, 0, ParameterInfo::kIsReadOnly, kLevelId);
    auto* programs = new ProgramList(STR16("Programs"), kProgramsId, kRootUnitId);
    for (const char16* name : {u"Clean", u"Warm", u"Hot"})
        programs->addProgram(name);
    addProgramList(programs);
    parameters.addParameter(programs->getParameter());
    addUnit(new Unit(STR16("Root"), kRootUnitId, kNoParentUnitId, kProgramsId));
    return kResultOk;
}

tresult PLUGIN_API RecordingEffect::setupProcessing(ProcessSetup& setup)
{
    std::ostringstream line;
    line << "setup " << setup.sampleRate << " " << setup.maxSamplesPerBlock;
    log.push_back(line.str());
    return SingleComponentEffect::setupProcessing(setup);
}

tresult PLUGIN_API RecordingEffect::setActive(TBool state)
{
    log.push_back(state ? "active" : "inactive");
    return SingleComponentEffect::setActive(state);
}

tresult PLUGIN_API RecordingEffect::getMidiControllerAssignment(int32 busIndex, int16,
                                                                CtrlNumber number, ParamID& id)
{
    if (busIndex != 0)
        return kResultFalse;
    if (number == kCtrlVolume)
        id = kGainId;
    else if (number == kPitchBend)
        id = kBendId;
    else
        return kResultFalse;
    return kResultTrue;
}

void RecordingEffect::record(ProcessData& data)
{
    std::ostringstream line;
    line << "block " << data.numSamples;
    log.push_back(line.str());
    if (IParameterChanges* changes = data.inputParameterChanges)
        for (int32 i = 0; i < changes->getParameterCount(); ++i)
        {
            IParamValueQueue* queue = changes->getParameterData(i);
            for (int32 p = 0; queue && p < queue->getPointCount(); ++p)
            {
                int32 offset = 0;
                ParamValue value = 0;
                queue->getPoint(p, offset, value);
                std::ostringstream point;
                point << "param " << queue->getParameterId() << " @" << offset << " " << value;
                log.push_back(point.str());
                if (queue->getParameterId() == kGainId)
                    gain = value;
                if (queue->getParameterId() == kBypassId)
                    bypass = value;
            }
        }
    if (IEventList* events = data.inputEvents)
        for (int32 i = 0; i < events->getEventCount(); ++i)
        {
            Event e{};
            events->getEvent(i, e);
            std::ostringstream event;
            if (e.type == Event::kNoteOnEvent)
                event << "noteOn " << e.noteOn.channel << " " << e.noteOn.pitch << " "
                      << e.noteOn.velocity;
            else if (e.type == Event::kNoteOffEvent)
                event << "noteOff " << e.noteOff.channel << " " << e.noteOff.pitch << " "
                      << e.noteOff.velocity;
            else if (e.type == Event::kPolyPressureEvent)
                event << "polyPressure " << e.polyPressure.channel << " " << e.polyPressure.pitch
                      << " " << e.polyPressure.pressure;
            else
                event << "event " << e.type;
            event << " @" << e.sampleOffset;
            log.push_back(event.str());
        }
    if (data.processContext)
        lastContext = *data.processContext;
}

tresult PLUGIN_API RecordingEffect::process(ProcessData& data)
{
    record(data);
    if (data.numSamples <= 0 || data.numOutputs < 1 || data.numInputs < 1)
        return kResultOk;
    const float factor = bypass >= 0.5 ? 1.0f : static_cast<float>(2.0 * gain);
    for (int32 c = 0; c < data.outputs[0].numChannels; ++c)
        for (int32 i = 0; i < data.numSamples; ++i)
            data.outputs[0].channelBuffers32[c][i] = data.inputs[0].channelBuffers32[c][i] * factor;
    return kResultOk;
}

// The parameters as the controller has them: what the host set last.
tresult PLUGIN_API RecordingEffect::getState(IBStream* state)
{
    IBStreamer streamer(state, kLittleEndian);
    return streamer.writeDouble(getParamNormalized(kGainId)) &&
                   streamer.writeDouble(getParamNormalized(kBypassId))
               ? kResultOk
               : kResultFalse;
}

// Values outside 0..1 are refused, after the first was taken: a partial restore.
tresult PLUGIN_API RecordingEffect::setState(IBStream* state)
{
    log.push_back("setState");
    IBStreamer streamer(state, kLittleEndian);
    double g = 0;
    double b = 0;
    if (!streamer.readDouble(g) || !(g >= 0.0 && g <= 1.0))
        return kResultFalse;
    gain = g;
    setParamNormalized(kGainId, g);
    if (!streamer.readDouble(b) || !(b >= 0.0 && b <= 1.0))
        return kResultFalse;
    bypass = b;
    setParamNormalized(kBypassId, b);
    return kResultOk;
}

} // namespace ZargTestEffect
