#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

namespace Steinberg
{
namespace Vst
{

SingleComponentEffect::SingleComponentEffect()
    : audioInputs(kAudio, kInput), audioOutputs(kAudio, kOutput), eventInputs(kEvent, kInput),
      eventOutputs(kEvent, kOutput)
{
    processSetup.processMode = kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = 1024;
    processSetup.sampleRate = 44100.0;
}

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr,
                                               BusType busType, int32 flags)
{
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioInputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr,
                                                BusType busType, int32 flags)
{
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioOutputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType busType,
                                               int32 flags)
{
    auto* bus = new EventBus(name, busType, flags, channels);
    eventInputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

EventBus* SingleComponentEffect::addEventOutput(const TChar* name, int32 channels, BusType busType,
                                                int32 flags)
{
    auto* bus = new EventBus(name, busType, flags, channels);
    eventOutputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

tresult SingleComponentEffect::removeAudioBusses()
{
    audioInputs.clear();
    audioOutputs.clear();
    return kResultOk;
}

tresult SingleComponentEffect::removeEventBusses()
{
    eventInputs.clear();
    eventOutputs.clear();
    return kResultOk;
}

tresult SingleComponentEffect::removeAllBusses()
{
    removeAudioBusses();
    removeEventBusses();
    return kResultOk;
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir)
{
    if (type == kAudio)
        return dir == kInput ? &audioInputs : &audioOutputs;
    if (type == kEvent)
        return dir == kInput ? &eventInputs : &eventOutputs;
    return nullptr;
}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context)
{
    return EditControllerEx1::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate()
{
    removeAllBusses();
    return EditControllerEx1::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID /*classID*/)
{
    // The controller is this very object; there is no separate class to name.
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode /*mode*/)
{
    return kNotImplemented;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir)
{
    BusList* list = getBusList(type, dir);
    return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info)
{
    BusList* list = getBusList(type, dir);
    if (!list || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    info.mediaType = type;
    info.direction = dir;
    return list->at(static_cast<size_t>(index))->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo& /*inInfo*/,
                                                         RoutingInfo& /*outInfo*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state)
{
    BusList* list = getBusList(type, dir);
    if (!list || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    list->at(static_cast<size_t>(index))->setActive(state);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool /*state*/)
{
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::getState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs,
                                                             int32 numIns,
                                                             SpeakerArrangement* outputs,
                                                             int32 numOuts)
{
    if (numIns < 0 || numOuts < 0)
        return kInvalidArgument;
    if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
        return kInvalidArgument;
    if (numIns > static_cast<int32>(audioInputs.size()) ||
        numOuts > static_cast<int32>(audioOutputs.size()))
        return kResultFalse;

    for (int32 i = 0; i < numIns; ++i)
        if (auto* bus = FCast<AudioBus>(audioInputs[static_cast<size_t>(i)].get()))
            bus->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        if (auto* bus = FCast<AudioBus>(audioOutputs[static_cast<size_t>(i)].get()))
            bus->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr)
{
    BusList* list = getBusList(kAudio, dir);
    if (!list || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    if (auto* bus = FCast<AudioBus>(list->at(static_cast<size_t>(index)).get()))
    {
        arr = bus->getArrangement();
        return kResultTrue;
    }
    return kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples()
{
    return 0;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup)
{
    // A set-up the object cannot run is refused rather than stored.
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::process(ProcessData& /*data*/)
{
    return kNotImplemented;
}

uint32 PLUGIN_API SingleComponentEffect::getTailSamples()
{
    return kNoTail;
}

} // namespace Vst
} // namespace Steinberg
