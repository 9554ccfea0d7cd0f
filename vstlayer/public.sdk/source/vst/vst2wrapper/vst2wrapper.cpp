// The AEffect face: creation, the dispatcher, parameters, programs and chunks.
//
// Chunk (effGetChunk, effSetChunk), little-endian:
//   char[4]  "V3Ck"
//   uint8[16] the VST3 class id
//   uint32   payload size
//   uint32   CRC-32 of the payload
//   payload  the component's state, as a VST3 host stores it
// A chunk that is not whole, belongs to another class or fails its check is refused
// before the component sees it; a state the component refuses is undone.
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "public.sdk/source/common/memorystream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <zlib.h>

namespace Steinberg::Vst
{

namespace
{

constexpr char kChunkMagic[4] = {'V', '3', 'C', 'k'};
constexpr size_t kChunkHeaderSize = 4 + 16 + 4 + 4;

// Text limits of the VST 2.4 interface, terminator included. Parameter texts are
// nominally 8 bytes; hosts give 24 and more, which the names here need.
constexpr size_t kParamTextBytes = 24;
constexpr size_t kProgramNameBytes = 24;
constexpr size_t kEffectNameBytes = 32;
constexpr size_t kVendorTextBytes = 64;
constexpr size_t kPinLabelBytes = 64;

// Copies UTF-8 text into a host buffer of capacity bytes, cut before a character that
// would not fit whole.
void copyText(const char* text, char* out, size_t capacity)
{
    size_t n = std::min(std::strlen(text), capacity - 1);
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, text, n);
    out[n] = '\0';
}

std::string utf8(const char16* text)
{
    String converted(text);
    converted.toMultiByte(kCP_Utf8);
    return converted.text8() ? converted.text8() : "";
}

void copyText(const char16* text, char* out, size_t capacity)
{
    copyText(utf8(text).c_str(), out, capacity);
}

void putUint32(char* at, uint32 value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32 getUint32(const char* at)
{
    uint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(at[i]);
    return value;
}

uint32 checksum(const char* bytes, size_t size)
{
    return static_cast<uint32>(
        crc32(0L, reinterpret_cast<const Bytef*>(bytes), static_cast<uInt>(size)));
}

// "a.b.c.d" as one byte each, most significant first.
VstInt32 versionNumber(const char* text)
{
    unsigned parts[4] = {};
    std::sscanf(text, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
    uint32 number = 0;
    for (const unsigned part : parts)
        number = (number << 8) | std::min(part, 255u);
    return static_cast<VstInt32>(number);
}

} // namespace

AEffect* Vst2Wrapper::create(IPluginFactory* factory, const TUID vst3ComponentID, VstInt32 vst2ID,
                             audioMasterCallback callback)
{
    if (!factory)
        return nullptr;
    auto* wrapper = new Vst2Wrapper(factory, callback);
    if (!callback || !wrapper->setUp(vst3ComponentID, vst2ID))
    {
        wrapper->tearDown();
        wrapper->release();
        return nullptr;
    }
    return &wrapper->effect;
}

Vst2Wrapper::Vst2Wrapper(IPluginFactory* pluginFactory, audioMasterCallback callback)
    : host(callback), factory(pluginFactory), runLoop(owned(new Vst2RunLoop))
{
    effect.magic = kEffectMagic;
    effect.object = this;
    effect.dispatcher = &Vst2Wrapper::dispatcherProc;
    effect.process = &Vst2Wrapper::processProc;
    effect.processReplacing = &Vst2Wrapper::processReplacingProc;
    effect.setParameter = &Vst2Wrapper::setParameterProc;
    effect.getParameter = &Vst2Wrapper::getParameterProc;
    effect.float1 = 1.0f; // the ratio of output to input samples
}

Vst2Wrapper::~Vst2Wrapper()
{
    factory->release();
}

bool Vst2Wrapper::setUp(const TUID cid, VstInt32 vst2ID)
{
    std::memcpy(classId, cid, sizeof(TUID));
    void* object = nullptr;
    if (factory->createInstance(classId, IComponent::iid, &object) != kResultOk || !object)
        return false;
    component = owned(static_cast<IComponent*>(object));
    if (component->initialize(static_cast<IHostApplication*>(this)) != kResultOk)
        return false;
    initialized = true;
    processor = FUnknownPtr<IAudioProcessor>(component);
    controller = FUnknownPtr<IEditController>(component);
    if (!processor || !controller)
        return false;
    controller->setComponentHandler(this);

    readClassInfo(cid);
    effect.uniqueID = vst2ID;
    setUpBusses();
    collectParameters();
    collectPrograms();
    mapMidiControllers();
    effect.initialDelay = static_cast<VstInt32>(processor->getLatencySamples());

    effect.flags |= effFlagsCanReplacing | effFlagsProgramChunks;
    if (IPtr<IPlugView> probe = owned(controller->createView(ViewType::kEditor)))
        effect.flags |= effFlagsHasEditor;
    return true;
}

// The main busses in their default arrangements; side chains and other extra busses
// stay off: a VST2 effect has one of each.
void Vst2Wrapper::setUpBusses()
{
    for (const BusDirection direction : {kInput, kOutput})
        for (int32 i = 0; i < component->getBusCount(kAudio, direction); ++i)
            component->activateBus(kAudio, direction, i, i == 0);
    hasEventInput = component->getBusCount(kEvent, kInput) > 0;
    if (hasEventInput)
        component->activateBus(kEvent, kInput, 0, true);
    BusInfo bus{};
    if (component->getBusInfo(kAudio, kInput, 0, bus) == kResultOk)
        effect.numInputs = bus.channelCount;
    if (component->getBusInfo(kAudio, kOutput, 0, bus) == kResultOk)
        effect.numOutputs = bus.channelCount;
    inputPointers.assign(static_cast<size_t>(effect.numInputs), nullptr);
    outputPointers.assign(static_cast<size_t>(effect.numOutputs), nullptr);
    accumulateOutputs = outputPointers;
}

void Vst2Wrapper::readClassInfo(const TUID cid)
{
    PFactoryInfo factoryInfo{};
    factory->getFactoryInfo(&factoryInfo);
    vendorName = factoryInfo.vendor;
    FUnknownPtr<IPluginFactory2> factory2(factory);
    for (int32 i = 0; i < factory->countClasses(); ++i)
    {
        PClassInfo2 info{};
        if (!factory2 || factory2->getClassInfo2(i, &info) != kResultOk ||
            std::memcmp(info.cid, cid, sizeof(TUID)) != 0)
            continue;
        effectName = info.name;
        if (info.vendor[0] != '\0')
            vendorName = info.vendor;
        effect.version = versionNumber(info.version);
        if (std::strstr(info.subCategories, "Instrument"))
            effect.flags |= effFlagsIsSynth;
    }
}

void Vst2Wrapper::collectParameters()
{
    std::vector<ParameterInfo> hostParameters;
    ParamID programChange = kNoParamId;
    for (int32 i = 0; i < controller->getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (controller->getParameterInfo(i, info) != kResultOk)
            continue;
        if ((info.flags & ParameterInfo::kIsProgramChange) != 0 && info.unitId == kRootUnitId)
            programChange = info.id;
        else if ((info.flags & ParameterInfo::kCanAutomate) != 0)
        {
            if ((info.flags & ParameterInfo::kIsBypass) != 0)
                bypassIndex = static_cast<int32>(hostParameters.size());
            hostParameters.push_back(info);
        }
    }
    effect.numParams = static_cast<VstInt32>(hostParameters.size());
    slotCount = effect.numParams + (programChange != kNoParamId ? 1 : 0);
    slots = std::make_unique<ParameterSlot[]>(static_cast<size_t>(slotCount));
    for (size_t i = 0; i < hostParameters.size(); ++i)
        slots[i].id = hostParameters[i].id;
    if (programChange != kNoParamId)
    {
        programSlot = effect.numParams;
        slots[static_cast<size_t>(programSlot)].id = programChange;
    }
    refreshFromController();
    // Room for every parameter and for a few that only MIDI controllers drive.
    inputChanges.setCapacity(slotCount + 16);
    outputChanges.setCapacity(controller->getParameterCount());
}

void Vst2Wrapper::collectPrograms()
{
    FUnknownPtr<IUnitInfo> units(controller);
    if (!units || programSlot < 0)
        return;
    for (int32 i = 0; i < units->getUnitCount(); ++i)
    {
        UnitInfo unit{};
        if (units->getUnitInfo(i, unit) == kResultOk && unit.id == kRootUnitId)
            programList = unit.programListId;
    }
    for (int32 i = 0; i < units->getProgramListCount(); ++i)
    {
        ProgramListInfo list{};
        if (units->getProgramListInfo(i, list) == kResultOk && list.id == programList)
            effect.numPrograms = list.programCount;
    }
}

// Asked once, on the main thread: the audio thread only looks the answers up.
void Vst2Wrapper::mapMidiControllers()
{
    FUnknownPtr<IMidiMapping> mapping(controller);
    if (!mapping || !hasEventInput)
        return;
    midiControllers.assign(16 * kCountCtrlNumber, kNoParamId);
    for (int16 channel = 0; channel < 16; ++channel)
        for (CtrlNumber number = 0; number < kCountCtrlNumber; ++number)
        {
            ParamID id = kNoParamId;
            if (mapping->getMidiControllerAssignment(0, channel, number, id) == kResultTrue)
                midiControllers[static_cast<size_t>(channel * kCountCtrlNumber + number)] = id;
        }
}

void Vst2Wrapper::tearDown()
{
    closeEditor();
    suspend();
    if (controller)
        controller->setComponentHandler(nullptr);
    if (initialized)
        component->terminate();
    initialized = false;
    controller = nullptr;
    processor = nullptr;
    component = nullptr;
}

Vst2Wrapper* Vst2Wrapper::of(AEffect* effect)
{
    return effect ? static_cast<Vst2Wrapper*>(effect->object) : nullptr;
}

VstIntPtr Vst2Wrapper::dispatcherProc(AEffect* effect, int opcode, int index, VstIntPtr value,
                                      void* ptr, float opt)
{
    Vst2Wrapper* wrapper = of(effect);
    if (!wrapper)
        return 0;
    if (opcode == effClose)
    {
        wrapper->tearDown();
        wrapper->release();
        return 1;
    }
    return wrapper->dispatch(opcode, index, value, ptr, opt);
}

void Vst2Wrapper::setParameterProc(AEffect* effect, int index, float value)
{
    if (Vst2Wrapper* wrapper = of(effect))
        wrapper->setParameter(index, static_cast<double>(value));
}

float Vst2Wrapper::getParameterProc(AEffect* effect, int index)
{
    Vst2Wrapper* wrapper = of(effect);
    return wrapper ? static_cast<float>(wrapper->getParameter(index)) : 0.0f;
}

VstIntPtr Vst2Wrapper::dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
    case effSetProgram:
        setProgram(static_cast<int>(value));
        return 0;
    case effGetProgram:
        return currentProgram;
    case effGetProgramName:
        return ptr && programName(currentProgram, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProgramNameIndexed:
        return ptr && programName(index, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return ptr && parameterText(opcode, index, static_cast<char*>(ptr)) ? 1 : 0;
    case effCanBeAutomated:
        return slotAt(index) ? 1 : 0;
    case effString2Parameter:
        return parameterFromText(index, static_cast<const char*>(ptr)) ? 1 : 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(value);
        return 0;
    case effMainsChanged:
        value != 0 ? resume() : suspend();
        return 0;
    case effEditGetRect:
        return editorRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return openEditor(ptr) ? 1 : 0;
    case effEditClose:
        closeEditor();
        return 1;
    case effEditIdle:
        idle();
        return 0;
    case effGetChunk:
        return getChunk(static_cast<void**>(ptr));
    case effSetChunk:
        return setChunk(ptr, value) ? 1 : 0;
    case effProcessEvents:
        processEvents(static_cast<const VstEvents*>(ptr));
        return 1;
    case effGetInputProperties:
    case effGetOutputProperties:
        return pinProperties(opcode == effGetInputProperties ? kInput : kOutput, index,
                             static_cast<VstPinProperties*>(ptr))
                   ? 1
                   : 0;
    case effGetPlugCategory:
        return (effect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategEffect;
    case effGetEffectName:
    case effGetProductString:
        if (!ptr)
            return 0;
        copyText(effectName.c_str(), static_cast<char*>(ptr),
                 opcode == effGetEffectName ? kEffectNameBytes : kVendorTextBytes);
        return 1;
    case effGetVendorString:
        if (!ptr)
            return 0;
        copyText(vendorName.c_str(), static_cast<char*>(ptr), kVendorTextBytes);
        return 1;
    case effGetVendorVersion:
        return effect.version;
    case effCanDo:
        return ptr ? canDo(static_cast<const char*>(ptr)) : 0;
    case effGetVstVersion:
        return kVstVersion;
    case effSetProcessPrecision:
        return value == kVstProcessPrecision32 ? 1 : 0;
    case Vst2::kEffSetBypass:
        if (bypassIndex < 0)
            return 0;
        setParameter(bypassIndex, value != 0 ? 1.0 : 0.0);
        return 1;
    case Vst2::kEffGetTailSize:
    {
        // 0 asks the host for its default; 1 means no tail.
        const uint32 tail = processor->getTailSamples();
        return tail == 0 ? 1 : static_cast<VstIntPtr>(std::min<uint32>(tail, 0x7FFFFFFF));
    }
    default:
        return 0;
    }
}

VstIntPtr Vst2Wrapper::canDo(const char* feature) const
{
    const auto is = [feature](const char* name) { return std::strcmp(feature, name) == 0; };
    if (is("receiveVstEvents") || is("receiveVstMidiEvent"))
        return hasEventInput ? 1 : -1;
    if (is("bypass"))
        return bypassIndex >= 0 ? 1 : -1;
    if (is("sendVstEvents") || is("sendVstMidiEvent") || is("offline"))
        return -1;
    return 0;
}

Vst2Wrapper::ParameterSlot* Vst2Wrapper::slotAt(int index) const
{
    return index >= 0 && index < effect.numParams ? &slots[static_cast<size_t>(index)] : nullptr;
}

int Vst2Wrapper::indexOf(ParamID id) const
{
    for (int i = 0; i < effect.numParams; ++i)
        if (slots[static_cast<size_t>(i)].id == id)
            return i;
    return -1;
}

void Vst2Wrapper::setParameter(int index, double value)
{
    ParameterSlot* slot = slotAt(index);
    if (!slot || std::isnan(value))
        return;
    slot->value.store(std::clamp(value, 0.0, 1.0), std::memory_order_relaxed);
    slot->toController.store(true, std::memory_order_release);
    slot->toProcessor.store(true, std::memory_order_release);
}

double Vst2Wrapper::getParameter(int index) const
{
    const ParameterSlot* slot = slotAt(index);
    return slot ? slot->value.load(std::memory_order_relaxed) : 0.0;
}

bool Vst2Wrapper::parameterText(int opcode, int index, char* text)
{
    const ParameterSlot* slot = slotAt(index);
    if (!slot)
        return false;
    if (opcode == effGetParamDisplay)
    {
        String128 display{};
        if (controller->getParamStringByValue(slot->id, slot->value.load(), display) != kResultOk)
            return false;
        copyText(display, text, kParamTextBytes);
        return true;
    }
    for (int32 i = 0; i < controller->getParameterCount(); ++i)
    {
        ParameterInfo info{};
        if (controller->getParameterInfo(i, info) != kResultOk || info.id != slot->id)
            continue;
        copyText(opcode == effGetParamName ? info.title : info.units, text, kParamTextBytes);
        return true;
    }
    return false;
}

// Without text the host asks whether the parameter takes text at all.
bool Vst2Wrapper::parameterFromText(int index, const char* text)
{
    const ParameterSlot* slot = slotAt(index);
    if (!slot || !text)
        return slot != nullptr;
    String wide(text, kCP_Utf8);
    ParamValue value = 0.0;
    if (!wide.text16() || controller->getParamValueByString(
                              slot->id, const_cast<TChar*>(wide.text16()), value) != kResultOk)
        return false;
    setParameter(index, value);
    return true;
}

void Vst2Wrapper::syncController()
{
    for (int32 i = 0; i < slotCount; ++i)
    {
        ParameterSlot& slot = slots[static_cast<size_t>(i)];
        if (slot.toController.exchange(false, std::memory_order_acquire))
            controller->setParamNormalized(slot.id, slot.value.load(std::memory_order_relaxed));
    }
}

// Where the controller moved a parameter (a program, a state), its value stands: the
// host's older value no longer goes to the processor.
void Vst2Wrapper::refreshFromController()
{
    for (int32 i = 0; i < slotCount; ++i)
    {
        ParameterSlot& slot = slots[static_cast<size_t>(i)];
        const ParamValue value = controller->getParamNormalized(slot.id);
        if (slot.toController.load(std::memory_order_acquire) ||
            value == slot.value.load(std::memory_order_relaxed))
            continue;
        slot.value.store(value, std::memory_order_relaxed);
        slot.toProcessor.store(false, std::memory_order_relaxed);
    }
}

void Vst2Wrapper::setProgram(int program)
{
    if (program < 0 || program >= effect.numPrograms || programSlot < 0)
        return;
    syncController();
    currentProgram = program;
    const ParamValue value =
        effect.numPrograms > 1 ? static_cast<double>(program) / (effect.numPrograms - 1) : 0.0;
    ParameterSlot& slot = slots[static_cast<size_t>(programSlot)];
    controller->setParamNormalized(slot.id, value);
    slot.value.store(value, std::memory_order_relaxed);
    slot.toProcessor.store(true, std::memory_order_release);
    refreshFromController();
}

bool Vst2Wrapper::programName(int program, char* text)
{
    FUnknownPtr<IUnitInfo> units(controller);
    String128 name{};
    if (!units || program < 0 || program >= effect.numPrograms ||
        units->getProgramName(programList, program, name) != kResultOk)
        return false;
    copyText(name, text, kProgramNameBytes);
    return true;
}

VstIntPtr Vst2Wrapper::getChunk(void** data)
{
    if (!data)
        return 0;
    // What the host set last belongs in the chunk, whether or not a block has run since.
    syncController();
    MemoryStream state;
    if (component->getState(&state) != kResultOk)
        return 0;
    const auto payloadSize = static_cast<size_t>(state.getSize());
    chunk.assign(kChunkHeaderSize + payloadSize, 0);
    std::memcpy(chunk.data(), kChunkMagic, sizeof(kChunkMagic));
    std::memcpy(chunk.data() + 4, classId, sizeof(TUID));
    putUint32(chunk.data() + 20, static_cast<uint32>(payloadSize));
    putUint32(chunk.data() + 24, checksum(state.getData(), payloadSize));
    if (payloadSize > 0)
        std::memcpy(chunk.data() + kChunkHeaderSize, state.getData(), payloadSize);
    *data = chunk.data();
    return static_cast<VstIntPtr>(chunk.size());
}

bool Vst2Wrapper::setChunk(const void* data, VstIntPtr size)
{
    if (!data || size < static_cast<VstIntPtr>(kChunkHeaderSize))
        return false;
    const auto* bytes = static_cast<const char*>(data);
    const size_t payloadSize = static_cast<size_t>(size) - kChunkHeaderSize;
    const char* payload = bytes + kChunkHeaderSize;
    if (std::memcmp(bytes, kChunkMagic, sizeof(kChunkMagic)) != 0 ||
        std::memcmp(bytes + 4, classId, sizeof(TUID)) != 0 ||
        getUint32(bytes + 20) != payloadSize ||
        getUint32(bytes + 24) != checksum(payload, payloadSize))
        return false;

    syncController();
    MemoryStream before;
    const bool saved = component->getState(&before) == kResultOk;
    const bool restored = restoreState(payload, payloadSize);
    if (!restored && saved)
        restoreState(before.getData(), static_cast<size_t>(before.getSize()));
    refreshFromController();
    return restored;
}

bool Vst2Wrapper::restoreState(const char* bytes, size_t size)
{
    // Read only: the stream keeps the caller's bytes.
    MemoryStream forComponent(const_cast<char*>(bytes), static_cast<TSize>(size));
    if (component->setState(&forComponent) != kResultOk)
        return false;
    // A single-component effect may have set its parameters in setState already.
    MemoryStream forController(const_cast<char*>(bytes), static_cast<TSize>(size));
    const tresult result = controller->setComponentState(&forController);
    return result == kResultOk || result == kNotImplemented;
}

bool Vst2Wrapper::pinProperties(BusDirection direction, int index, VstPinProperties* properties)
{
    const int32 channels = direction == kInput ? effect.numInputs : effect.numOutputs;
    BusInfo bus{};
    if (!properties || index < 0 || index >= channels ||
        component->getBusInfo(kAudio, direction, 0, bus) != kResultOk)
        return false;
    *properties = VstPinProperties{};
    const std::string number = std::to_string(index + 1);
    copyText((utf8(bus.name) + " " + number).c_str(), properties->label, kPinLabelBytes);
    copyText(((direction == kInput ? "in" : "out") + number).c_str(), properties->shortLabel,
             sizeof(properties->shortLabel));
    properties->flags = Vst2::kPinIsActive | (channels == 2 ? Vst2::kPinIsStereo : 0);
    properties->arrangementType = channels == 2 ? kSpeakerArrStereo : kSpeakerArrMono;
    return true;
}

tresult PLUGIN_API Vst2Wrapper::getName(String128 name)
{
    UString(name, str16BufferSize(String128)).assign(STR16("VST2 host"));
    return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::createInstance(TUID, TUID, void** obj)
{
    *obj = nullptr;
    return kResultFalse;
}

tresult PLUGIN_API Vst2Wrapper::beginEdit(ParamID id)
{
    const int index = indexOf(id);
    if (index >= 0)
        callHost(audioMasterBeginEdit, index);
    return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::performEdit(ParamID id, ParamValue valueNormalized)
{
    const int index = indexOf(id);
    ParameterSlot* slot = slotAt(index);
    if (!slot)
        return kResultFalse;
    slot->value.store(valueNormalized, std::memory_order_relaxed);
    slot->toProcessor.store(true, std::memory_order_release);
    callHost(audioMasterAutomate, index, 0, static_cast<float>(valueNormalized));
    return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::endEdit(ParamID id)
{
    const int index = indexOf(id);
    if (index >= 0)
        callHost(audioMasterEndEdit, index);
    return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::restartComponent(int32 flags)
{
    if ((flags & kLatencyChanged) != 0)
    {
        effect.initialDelay = static_cast<VstInt32>(processor->getLatencySamples());
        callHost(Vst2::kAudioMasterIOChanged);
    }
    if ((flags & (kParamValuesChanged | kParamTitlesChanged)) != 0)
    {
        refreshFromController();
        callHost(Vst2::kAudioMasterUpdateDisplay);
    }
    return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::queryInterface(const TUID queried, void** obj)
{
    if (FUnknownPrivate::iidEqual(queried, Linux::IRunLoop::iid))
        return runLoop->queryInterface(queried, obj);
    QUERY_INTERFACE(queried, obj, IHostApplication::iid, IHostApplication)
    QUERY_INTERFACE(queried, obj, IComponentHandler::iid, IComponentHandler)
    QUERY_INTERFACE(queried, obj, IPlugFrame::iid, IPlugFrame)
    return FObject::queryInterface(queried, obj);
}

} // namespace Steinberg::Vst
