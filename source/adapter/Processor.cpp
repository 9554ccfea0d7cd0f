#include "adapter/Processor.h"

#include "adapter/CVSTMidiEventList.h"
#include "adapter/CVSTParamUpdateQueue.h"
#include "adapter/LogParameter.h"
#include "adapter/PeakParameter.h"
#include "adapter/VoltOctaveParameter.h"
#include "framework/CPlugIn.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Zeri2VST3
{

using namespace Steinberg;
using namespace Steinberg::Vst;

const FUID Processor::ProcessorUID(0x5A415247, 0x8E1D4C37, 0xA6F2093B, 0x71C4D5E8);

namespace
{

// UTF-16 copy of an ASCII/UTF-8 text for the SDK's parameter and unit titles.
struct Title
{
    explicit Title(const char* text) { buffer.fromAscii(text ? text : ""); }
    operator const TChar*() const { return buffer; }
    UString128 buffer;
};

// "SWITCH_OFF" and "SWITCH_ON" read as "OFF" and "ON".
std::string displayedEntry(std::string entry)
{
    if (entry == "SWITCH_OFF")
        return "OFF";
    if (entry == "SWITCH_ON")
        return "ON";
    return entry;
}

// Bypass crossfades over 10 ms.
int32 bypassFadeSamples(double sampleRate)
{
    return std::max(1, static_cast<int32>(sampleRate * 0.01));
}

} // namespace

FUnknown* Processor::createInstance(void* /*context*/)
{
    auto* processor = new (std::nothrow) Processor;
    return processor ? static_cast<IAudioProcessor*>(processor) : nullptr;
}

Processor::Processor() : notifier(owned(new HostNotifier(*this)))
{
    allocateBlockBuffers(processSetup.maxSamplesPerBlock);
    ensurePlugIn();
    joystickX = 0.5;
    joystickY = 0.5;
    bypass = false;
}

Processor::~Processor()
{
    notifier->disconnect();
    delete plugIn;
    plugIn = nullptr;
}

void Processor::allocateBlockBuffers(int32 maxSamples)
{
    const auto length = static_cast<size_t>(std::max(maxSamples, 1));
    silence.assign(length, 0.0f);
    for (auto& channel : dryScratch)
        channel.assign(length, 0.0f);
}

// Creates the plug-in object when there is none yet; the host adapter retries
// from initialize, setupProcessing and setActive when creation failed.
bool Processor::ensurePlugIn()
{
    if (plugIn)
        return true;
    plugIn = createPlugInObject();
    if (!plugIn)
        return false;
    plugIn->postConstruct();
    latencySamples = static_cast<int32>(plugIn->m_latencySamples);
    wantsSidechain = plugIn->m_wantsSidechain != 0;
    sampleAccurate = plugIn->m_sampleAccurate != 0;
    automationGranularity = plugIn->m_sampleAccuracyGranularity;
    handover.attach(plugIn);
    return true;
}

tresult PLUGIN_API Processor::initialize(FUnknown* context)
{
    // A host that initializes the component and then the controller, one
    // object here, gets the same object once: nothing is registered twice.
    if (initializeCount > 0)
    {
        ++initializeCount;
        return kResultOk;
    }
    const tresult result = SingleComponentEffect::initialize(context);
    if (result != kResultOk)
        return result;
    initializeCount = 1;

    addAudioOutput(STR16("Audio Output"), SpeakerArr::kStereo);
    if (!plugIn || !plugIn->m_outputOnly)
    {
        addAudioInput(STR16("AudioInput"), SpeakerArr::kStereo);
        if (wantsSidechain)
            addAudioInput(STR16("AuxInput"), SpeakerArr::kStereo, kAux);
    }
    addEventInput(STR16("Event Input"), 16);

    if (ensurePlugIn())
    {
        midiEventList = new CVSTMidiEventList(plugIn);
        PlugInMessage message{};
        message.midiEventList = midiEventList;
        plugIn->onHostMessage(kHostMessageMidiEventList, message);
        registerControlParameters();
        registerAdapterParameters();
    }
    registerUnitsAndPresets();
    notifier->connect(context);
    return result;
}

void Processor::registerControlParameters()
{
    const uint32 count = plugIn->m_controlList.count();
    if (sampleAccurate)
        paramUpdateQueues = new CVSTParamUpdateQueue*[count]();
    for (uint32 i = 0; i < count; ++i)
    {
        const CControlDescriptor* control = plugIn->m_controlList.get(i);
        if (!control)
            continue;
        const float current = plugIn->getControlValue(i);
        if (sampleAccurate)
            paramUpdateQueues[i] = new CVSTParamUpdateQueue(control->minValue, control->maxValue,
                                                            &automationGranularity);

        if (control->controlType == kControlTypeMeter)
        {
            meterParameterIds.push_back(static_cast<int32>(i));
            auto* meter = new PeakParameter(ParameterInfo::kIsReadOnly, i, Title(control->name));
            meter->setNormalized(0.0);
            parameters.addParameter(meter);
            continue;
        }
        if (!isUserControlType(control->controlType))
            continue;

        if (control->dataType == kDataTypeIndex)
        {
            auto* list =
                new StringListParameter(Title(control->name), i, nullptr,
                                        ParameterInfo::kCanAutomate | ParameterInfo::kIsList, 0);
            std::string items = control->enumeration;
            size_t start = 0;
            while (start <= items.size() && !items.empty())
            {
                const size_t comma = items.find(',', start);
                const size_t end = comma == std::string::npos ? items.size() : comma;
                list->appendString(Title(displayedEntry(items.substr(start, end - start)).c_str()));
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
            parameters.addParameter(list);
            continue;
        }

        const Title title(control->name);
        const Title unitsText(control->units);
        Parameter* parameter = nullptr;
        if (control->logTaper)
            parameter = new LogParameter(title, i, unitsText, control->minValue, control->maxValue,
                                         current, 0, ParameterInfo::kCanAutomate, 0);
        else if (control->voltOctaveTaper)
            parameter =
                new VoltOctaveParameter(title, i, unitsText, control->minValue, control->maxValue,
                                        current, 0, ParameterInfo::kCanAutomate, 0);
        else
            parameter =
                new RangeParameter(title, i, unitsText, control->minValue, control->maxValue,
                                   current, 0, ParameterInfo::kCanAutomate, 0);
        parameter->setPrecision(control->dataType == kDataTypeInt ? 0 : control->precision);
        parameters.addParameter(parameter);
    }
}

void Processor::registerAdapterParameters()
{
    auto addUnitRange =
        [this](const TChar* title, ParamID id, ParamValue defaultPlain, int32 precision)
    {
        auto* parameter = new RangeParameter(title, id, STR16(""), 0.0, 1.0, defaultPlain, 0,
                                             ParameterInfo::kCanAutomate, 0);
        parameter->setPrecision(precision);
        parameters.addParameter(parameter);
    };
    addUnitRange(STR16("VectorJoystick X"), kJoystickXId, 0.5, 2);
    addUnitRange(STR16("VectorJoystick Y"), kJoystickYId, 0.5, 2);
    const ParamID buttonIds[kNumButtons] = {kAssignableButton1Id, kAssignableButton2Id,
                                            kAssignableButton3Id};
    for (int b = 0; b < kNumButtons; ++b)
    {
        const char* name = plugIn->m_buttonNames[b];
        if (name && *name)
            addUnitRange(Title(name), buttonIds[b], 0.0, 0);
    }
}

void Processor::registerUnitsAndPresets()
{
    // Bypass and the MIDI parameters exist even without a plug-in object.
    // An on/off switch: one step.
    parameters.addParameter(
        new RangeParameter(STR16("Bypass"), kBypassId, STR16(""), 0.0, 1.0, 0.0, 1,
                           ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, 0));
    const struct
    {
        const TChar* title;
        ParamID id;
    } midiParameters[] = {
        {STR16("PitchBend"), kPitchBendId},
        {STR16("MIDI Vol"), kMidiVolumeId},
        {STR16("MIDI Pan"), kMidiPanId},
        {STR16("MIDI Mod Wheel"), kModWheelId},
        {STR16("MIDI Expression"), kMidiExpressionId},
        {STR16("MIDI Channel Pressure"), kChannelPressureId},
        {STR16("MIDI Sustain Pedal"), kSustainPedalId},
        {STR16("All Notes Off"), kAllNotesOffId},
    };
    for (const auto& midi : midiParameters)
    {
        auto* parameter = new RangeParameter(midi.title, midi.id, STR16(""), 0.0, 1.0, 0.0, 0,
                                             ParameterInfo::kCanAutomate, 0);
        parameter->setPrecision(1);
        parameters.addParameter(parameter);
    }

    int presetCount = 0;
    if (plugIn)
        for (const char* name : plugIn->m_presetNames)
            if (name && *name)
                ++presetCount;

    // Unit 0 is the root of the tree; with presets it carries their list and
    // "RootUnit" hangs below it.
    if (presetCount == 0)
    {
        addUnit(new Unit(STR16("RootUnit"), kRootUnit, kPresetsUnit, kNoProgramListId));
        return;
    }
    addUnit(new Unit(STR16("PresetsUnit"), kPresetsUnit, kNoParentUnitId, kPresetParamId));
    addUnit(new Unit(STR16("RootUnit"), kRootUnit, kPresetsUnit, kNoProgramListId));
    auto* presets =
        new StringListParameter(STR16("Factory Presets"), kPresetParamId, STR16(""),
                                ParameterInfo::kIsProgramChange | ParameterInfo::kIsList, 0);
    for (const char* name : plugIn->m_presetNames)
        if (name && *name)
            presets->appendString(Title(name));
    parameters.addParameter(presets);

    std::vector<ParamID> reported;
    for (uint32 i = 0; i < plugIn->m_controlList.count(); ++i)
        if (parameters.getParameter(i))
            reported.push_back(i);
    reported.insert(reported.end(), {kJoystickXId, kJoystickYId});
    presetReport.prepare(reported);
}

tresult PLUGIN_API Processor::terminate()
{
    if (initializeCount > 1)
    {
        --initializeCount;
        return kResultOk;
    }
    if (initializeCount == 0)
        return kResultOk;
    initializeCount = 0;
    notifier->disconnect();
    meterParameterIds.clear();
    if (paramUpdateQueues)
    {
        const uint32 count = plugIn ? plugIn->m_controlList.count() : 0;
        for (uint32 i = 0; i < count; ++i)
            delete paramUpdateQueues[i];
        delete[] paramUpdateQueues;
        paramUpdateQueues = nullptr;
    }
    delete midiEventList;
    midiEventList = nullptr;
    handover.setProcessingActive(false);
    return SingleComponentEffect::terminate();
}

tresult PLUGIN_API Processor::setComponentHandler(IComponentHandler* handler)
{
    const tresult result = SingleComponentEffect::setComponentHandler(handler);
    // The new handler may offer a run loop the old one did not. Hosts drop the
    // handler on their way out, maybe while the process exits: ask nothing then.
    notifier->disconnect();
    if (handler)
        notifier->connect(getHostContext());
    return result;
}

tresult PLUGIN_API Processor::setupProcessing(ProcessSetup& setup)
{
    ensurePlugIn();
    const tresult result = SingleComponentEffect::setupProcessing(setup);
    softBypass.prepare(bypassFadeSamples(setup.sampleRate));
    allocateBlockBuffers(setup.maxSamplesPerBlock);
    if (plugIn)
    {
        plugIn->m_sampleRate = static_cast<int32>(setup.sampleRate);
        plugIn->prepareToProcess();
    }
    return result;
}

tresult PLUGIN_API Processor::setActive(TBool state)
{
    if (state && ensurePlugIn())
    {
        plugIn->m_sampleRate = static_cast<int32>(processSetup.sampleRate);
        plugIn->prepareToProcess();
        softBypass.prepare(bypassFadeSamples(processSetup.sampleRate));
    }
    handover.setProcessingActive(state != 0);
    return kResultOk;
}

tresult PLUGIN_API Processor::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts)
{
    const bool outputOnly = plugIn && plugIn->m_outputOnly;
    if (outputOnly)
    {
        if (numIns == 0 && numOuts == 1 && outputs && outputs[0] == SpeakerArr::kStereo)
            return SingleComponentEffect::setBusArrangements(inputs, 0, outputs, 1);
        return kResultFalse;
    }
    // Processing fills one or two channels: mono in to mono out, stereo to stereo.
    const bool supported = numIns == 1 && numOuts == 1 && inputs && outputs &&
                           inputs[0] == outputs[0] &&
                           (inputs[0] == SpeakerArr::kMono || inputs[0] == SpeakerArr::kStereo);
    if (supported)
        return SingleComponentEffect::setBusArrangements(inputs, 1, outputs, 1);
    return kResultFalse;
}

tresult PLUGIN_API Processor::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API Processor::getLatencySamples()
{
    return static_cast<uint32>(latencySamples);
}

uint32 PLUGIN_API Processor::getTailSamples()
{
    if (!plugIn)
        return 0;
    if (plugIn->m_infiniteTail == 1)
        return kInfiniteTail;
    return static_cast<uint32>(static_cast<double>(plugIn->m_tailMilliseconds) / 1000.0 *
                               processSetup.sampleRate);
}

ParamValue PLUGIN_API Processor::normalizedParamToPlain(ParamID id, ParamValue valueNormalized)
{
    return SingleComponentEffect::normalizedParamToPlain(id, valueNormalized);
}

ParamValue PLUGIN_API Processor::plainParamToNormalized(ParamID id, ParamValue plainValue)
{
    return SingleComponentEffect::plainParamToNormalized(id, plainValue);
}

tresult PLUGIN_API Processor::getMidiControllerAssignment(int32 busIndex, int16 /*channel*/,
                                                          CtrlNumber midiControllerNumber,
                                                          ParamID& id)
{
    if (!plugIn || busIndex != 0)
        return kResultFalse;
    id = 0xFFFFFFFF;
    switch (midiControllerNumber)
    {
    case kCtrlModWheel:
        id = kModWheelId;
        return kResultOk;
    case kCtrlVolume:
        id = kMidiVolumeId;
        return kResultOk;
    case kCtrlPan:
        id = kMidiPanId;
        return kResultOk;
    case kCtrlExpression:
        id = kMidiExpressionId;
        return kResultOk;
    case kCtrlSustainOnOff:
        id = kSustainPedalId;
        return kResultOk;
    case kCtrlAllNotesOff:
        id = kAllNotesOffId;
        return kResultOk;
    case kAfterTouch:
        id = kChannelPressureId;
        return kResultOk;
    case kPitchBend:
        id = kPitchBendId;
        return kResultOk;
    default:
        break;
    }
    bool found = false;
    const uint32 count = plugIn->m_controlList.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const CControlDescriptor* control = plugIn->m_controlList.get(i);
        if (control && control->midiControlEnabled &&
            control->midiController == midiControllerNumber)
        {
            id = i;
            found = true;
        }
    }
    if (found)
        return kResultOk;
    id = 0;
    return kResultFalse;
}

Parameter* Processor::presetParameter() const
{
    return parameters.getParameter(kPresetParamId);
}

tresult PLUGIN_API Processor::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
    // The SDK's version throws for an index past the end; hosts probe with those.
    if (unitIndex < 0 || unitIndex >= getUnitCount())
        return kResultFalse;
    return SingleComponentEffect::getUnitInfo(unitIndex, info);
}

int32 PLUGIN_API Processor::getProgramListCount()
{
    return presetParameter() ? 1 : 0;
}

tresult PLUGIN_API Processor::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
    Parameter* presets = presetParameter();
    if (listIndex != 0 || !presets)
        return kResultFalse;
    info.id = kPresetParamId;
    UString(info.name, str16BufferSize(String128)).assign(STR16("Presets"));
    info.programCount = static_cast<int32>(presets->toPlain(1.0)) + 1;
    return kResultOk;
}

tresult PLUGIN_API Processor::getProgramName(ProgramListID listId, int32 programIndex,
                                             String128 name)
{
    Parameter* presets = presetParameter();
    if (listId != kPresetParamId || !presets)
        return kResultFalse;
    // Hosts may ask for any index; only the listed presets have names.
    const int32 count = static_cast<int32>(presets->toPlain(1.0)) + 1;
    if (programIndex < 0 || programIndex >= count)
        return kResultFalse;
    presets->toString(presets->toNormalized(programIndex), name);
    return kResultOk;
}

} // namespace Zeri2VST3
