#pragma once

#include "public.sdk/source/vst/vst2wrapper/vst2interface.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// A VST2 plug-in loaded the way a VST2 host loads one: its library opened with dlopen
// and VSTPluginMain called with this host's callback (or, for a plug-in linked into the
// test, its main function called). The callback answers what a plug-in asks (the
// version, the time info) and writes its other calls down, with the call of the host
// the plug-in was inside of when it called back.
class Vst2Plugin
{
public:
    // Where the host was when the plug-in called it back.
    static constexpr int kOutside = -1;
    static constexpr int kInProcess = -2;
    static constexpr int kInSetParameter = -3;

    struct Call
    {
        int opcode;
        int index;
        VstIntPtr value;
        float opt;
        int inside; // the dispatcher opcode, or one of the values above
        bool operator==(const Call&) const = default;
    };
    // A MIDI message and its offset in the next block.
    using Midi = std::pair<int, std::array<unsigned char, 3>>;
    using MainProc = AEffect* (*)(audioMasterCallback);

    explicit Vst2Plugin(const std::string& libraryPath);
    explicit Vst2Plugin(MainProc main);
    // Closes the effect, then the library.
    ~Vst2Plugin();
    Vst2Plugin(const Vst2Plugin&) = delete;
    Vst2Plugin& operator=(const Vst2Plugin&) = delete;

    bool loaded() const { return aeffect != nullptr; }
    const std::string& error() const { return message; }
    AEffect* effect() const { return aeffect; }

    VstIntPtr dispatch(int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    // What a text call writes into a 256-byte buffer that starts out full of '#'.
    std::string text(int opcode, int index = 0, VstIntPtr* answer = nullptr);
    void setParameter(int index, float value);
    float getParameter(int index);
    // Every parameter's value.
    std::vector<float> parameters();
    void processReplacing(float** inputs, float** outputs, int frames);

    void resume(float sampleRate, int blockSize);
    void suspend();
    std::vector<char> chunk();
    VstIntPtr setChunk(const std::vector<char>& bytes);
    // Up to 64 messages.
    void sendMidi(const std::vector<Midi>& messages);

    std::vector<Call> calls;
    VstTimeInfo time{};
    bool answersTime = false;

private:
    static VstIntPtr callback(AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr,
                              float opt);
    void create(MainProc main);

    std::string message;
    void* library = nullptr;
    AEffect* aeffect = nullptr;
    int inside = kOutside;
};
