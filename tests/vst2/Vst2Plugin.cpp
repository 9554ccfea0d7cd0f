#include "Vst2Plugin.h"

#include <cstring>
#include <dlfcn.h>

namespace
{
// The plug-in being created: its callback comes before the host can set effect->user.
thread_local Vst2Plugin* loading = nullptr;
} // namespace

Vst2Plugin::Vst2Plugin(const std::string& libraryPath)
{
    library = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        message = std::string("cannot open: ") + dlerror();
        return;
    }
    auto main = reinterpret_cast<MainProc>(dlsym(library, "VSTPluginMain"));
    if (!main)
    {
        message = libraryPath + " has no VSTPluginMain";
        return;
    }
    create(main);
}

Vst2Plugin::Vst2Plugin(MainProc main)
{
    create(main);
}

void Vst2Plugin::create(MainProc main)
{
    loading = this;
    aeffect = main(&Vst2Plugin::callback);
    loading = nullptr;
    if (!aeffect)
        message = "the main function gave no effect";
    else
        aeffect->user = this;
}

Vst2Plugin::~Vst2Plugin()
{
    if (aeffect)
        dispatch(effClose);
    if (library)
        dlclose(library);
}

VstIntPtr Vst2Plugin::callback(AEffect* effect, int opcode, int index, VstIntPtr value, void*,
                               float opt)
{
    if (opcode == audioMasterVersion)
        return kVstVersion;
    Vst2Plugin* host = effect && effect->user ? static_cast<Vst2Plugin*>(effect->user) : loading;
    if (!host)
        return 0;
    if (opcode == audioMasterGetTime)
        return host->answersTime ? reinterpret_cast<VstIntPtr>(&host->time) : 0;
    host->calls.push_back({opcode, index, value, opt, host->inside});
    return 0;
}

VstIntPtr Vst2Plugin::dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    const int outer = std::exchange(inside, opcode);
    const VstIntPtr answer = aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt);
    inside = outer;
    if (opcode == effClose)
        aeffect = nullptr;
    return answer;
}

std::string Vst2Plugin::text(int opcode, int index, VstIntPtr* answer)
{
    std::array<char, 256> buffer;
    buffer.fill('#');
    const VstIntPtr result = dispatch(opcode, index, 0, buffer.data());
    if (answer)
        *answer = result;
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

void Vst2Plugin::setParameter(int index, float value)
{
    const int outer = std::exchange(inside, kInSetParameter);
    aeffect->setParameter(aeffect, index, value);
    inside = outer;
}

float Vst2Plugin::getParameter(int index)
{
    return aeffect->getParameter(aeffect, index);
}

std::vector<float> Vst2Plugin::parameters()
{
    std::vector<float> values;
    for (int i = 0; i < aeffect->numParams; ++i)
        values.push_back(getParameter(i));
    return values;
}

void Vst2Plugin::processReplacing(float** inputs, float** outputs, int frames)
{
    const int outer = std::exchange(inside, kInProcess);
    aeffect->processReplacing(aeffect, inputs, outputs, frames);
    inside = outer;
}

void Vst2Plugin::resume(float sampleRate, int blockSize)
{
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void Vst2Plugin::suspend()
{
    dispatch(effMainsChanged, 0, 0);
}

std::vector<char> Vst2Plugin::chunk()
{
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data)
        return {};
    const auto* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

VstIntPtr Vst2Plugin::setChunk(const std::vector<char>& bytes)
{
    return dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()),
                    bytes.empty() ? nullptr : const_cast<char*>(bytes.data()));
}

void Vst2Plugin::sendMidi(const std::vector<Midi>& messages)
{
    constexpr size_t kMaxMessages = 64;
    if (messages.size() > kMaxMessages)
        return;
    std::vector<VstMidiEvent> midi(messages.size());
    // VstEvents ends in an array as long as the host makes it.
    alignas(VstEvents) std::array<char, sizeof(VstEvents) + kMaxMessages * sizeof(VstEvent*)>
        storage{};
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<int>(messages.size());
    for (size_t i = 0; i < messages.size(); ++i)
    {
        midi[i].type = kVstMidiType;
        midi[i].byteSize = sizeof(VstMidiEvent);
        midi[i].deltaFrames = messages[i].first;
        std::memcpy(midi[i].midiData, messages[i].second.data(), 3);
        list->events[i] = reinterpret_cast<VstEvent*>(&midi[i]);
    }
    dispatch(effProcessEvents, 0, 0, list);
}
