#include "host/PluginInstance.h"

#include "host/StateStream.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ZargHost
{

PluginInstance::PluginInstance(IPluginFactory* factory, const FUID& classId, FUnknown* hostContext)
    : context(hostContext), componentHandler(owned(new RecordingComponentHandler)),
      loop(owned(new ManualRunLoop))
{
    componentHandler->offerRunLoop(loop);
    if (!context)
    {
        ownContext = std::make_unique<HostApplication>();
        context = ownContext.get();
    }
    if (!factory)
    {
        message = "no factory";
        return;
    }
    TUID cid;
    classId.toTUID(cid);
    void* obj = nullptr;
    const tresult result = factory->createInstance(cid, IComponent::iid, &obj);
    if (result != kResultOk || !obj)
    {
        message = "createInstance failed with " + std::to_string(result);
        return;
    }
    comp = static_cast<IComponent*>(obj);
    audio = queried<IAudioProcessor>();
    edit = queried<IEditController>();
    units = queried<IUnitInfo>();
    midi = queried<IMidiMapping>();
    connection = queried<IConnectionPoint>();
}

PluginInstance::~PluginInstance()
{
    release();
}

template <typename I>
I* PluginInstance::queried()
{
    void* obj = nullptr;
    if (comp->queryInterface(I::iid, &obj) != kResultOk)
        return nullptr;
    return static_cast<I*>(obj);
}

tresult PluginInstance::initialize()
{
    if (!comp)
        return kNotInitialized;
    const tresult result = comp->initialize(context);
    if (result != kResultOk)
        return result;
    initialized = true;
    // The controller face is initialized too, as hosts do that treat the
    // two faces alike; like them, a refusal is taken as "already done".
    if (edit && edit->initialize(context) == kResultOk)
        controllerInitialized = true;
    if (edit)
        edit->setComponentHandler(componentHandler);
    for (MediaType type : {kAudio, kEvent})
    {
        for (BusDirection dir : {kInput, kOutput})
        {
            for (int32 i = 0; i < comp->getBusCount(type, dir); ++i)
            {
                BusInfo info{};
                if (comp->getBusInfo(type, dir, i, info) == kResultOk &&
                    (info.flags & BusInfo::kDefaultActive))
                    comp->activateBus(type, dir, i, true);
            }
        }
    }
    return kResultOk;
}

tresult PluginInstance::setupProcessing(double sampleRate, int32 maxSamples, int32 processMode,
                                        int32 sampleSize)
{
    if (!audio)
        return kNoInterface;
    ProcessSetup setup{processMode, sampleSize, maxSamples, sampleRate};
    return audio->setupProcessing(setup);
}

tresult PluginInstance::setBusArrangements(SpeakerArrangement input, SpeakerArrangement output)
{
    if (!audio)
        return kNoInterface;
    return audio->setBusArrangements(&input, 1, &output, 1);
}

tresult PluginInstance::activate()
{
    if (!comp || !audio)
        return kNoInterface;
    tresult result = comp->setActive(true);
    if (result != kResultOk)
        return result;
    active = true;
    // Plug-ins may answer kNotImplemented; hosts go on processing then.
    result = audio->setProcessing(true);
    processing = true;
    return result == kNotImplemented ? kResultOk : result;
}

tresult PluginInstance::deactivate()
{
    tresult result = kResultOk;
    if (processing && audio)
    {
        audio->setProcessing(false);
        processing = false;
    }
    if (active && comp)
    {
        result = comp->setActive(false);
        active = false;
    }
    return result;
}

tresult PluginInstance::process(ProcessBlock& block, int32 numSamples)
{
    if (!audio)
        return kNoInterface;
    const tresult result = audio->process(block.data(numSamples));
    block.advance(numSamples);
    return result;
}

tresult PluginInstance::flush(ProcessBlock& block)
{
    if (!audio)
        return kNoInterface;
    ProcessData data = block.data(0);
    data.numInputs = 0;
    data.numOutputs = 0;
    data.inputs = nullptr;
    data.outputs = nullptr;
    return audio->process(data);
}

tresult PluginInstance::setParamNormalized(ParamID id, ParamValue value)
{
    if (!edit)
        return kNoInterface;
    componentHandler->lock();
    const tresult result = edit->setParamNormalized(id, value);
    componentHandler->unlock();
    return result;
}

tresult PluginInstance::setComponentState(const std::vector<char>& bytes)
{
    if (!edit)
        return kNoInterface;
    IPtr<MemoryStream> stream = stateStream(bytes);
    componentHandler->lock();
    const tresult result = edit->setComponentState(stream);
    componentHandler->unlock();
    return result;
}

std::map<ParamID, ParamValue> PluginInstance::parameterValues() const
{
    std::map<ParamID, ParamValue> values;
    if (!edit)
        return values;
    for (int32 i = 0; i < edit->getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (edit->getParameterInfo(i, info) == kResultOk)
            values[info.id] = edit->getParamNormalized(info.id);
    }
    return values;
}

tresult PluginInstance::getState(std::vector<char>& bytes)
{
    if (!comp)
        return kNoInterface;
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    const tresult result = comp->getState(stream);
    const char* data = stream->getData();
    bytes.assign(data, data + stream->getSize());
    return result;
}

tresult PluginInstance::setState(const std::vector<char>& bytes)
{
    if (!comp)
        return kNoInterface;
    IPtr<MemoryStream> stream = stateStream(bytes);
    componentHandler->lock();
    const tresult result = comp->setState(stream);
    componentHandler->unlock();
    return result;
}

tresult PluginInstance::terminate()
{
    if (!initialized)
        return kResultOk;
    deactivate();
    if (edit)
        edit->setComponentHandler(nullptr);
    initialized = false;
    if (controllerInitialized)
    {
        controllerInitialized = false;
        comp->terminate();
    }
    return comp->terminate();
}

uint32 PluginInstance::release()
{
    if (!comp)
        return 0;
    terminate();
    for (FUnknown* face : std::initializer_list<FUnknown*>{audio, edit, units, midi, connection})
        if (face)
            face->release();
    audio = nullptr;
    edit = nullptr;
    units = nullptr;
    midi = nullptr;
    connection = nullptr;
    const uint32 remaining = comp->release();
    comp = nullptr;
    return remaining;
}

} // namespace ZargHost
