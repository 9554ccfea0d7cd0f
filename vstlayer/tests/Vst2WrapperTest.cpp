#include "RecordingEffect.h"
#include "Vst2Plugin.h"

#include "pluginterfaces/base/ustring.h"
#include "public.sdk/source/main/pluginfactory.h"
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>
#include <zlib.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using ZargTestEffect::RecordingEffect;

namespace
{

const FUID kRecorderUID(0x5A415247, 0x56535432, 0x57524150, 0x00000001);
const FUID kUnknownUID(0x5A415247, 0x56535432, 0x57524150, 0x000000FF);
constexpr VstInt32 kRecorderId = ('Z' << 24) | ('T' << 16) | ('s' << 8) | 't';

enum HostParameter
{
    kGain,
    kBend,
    kBypass,
};

// The factory the wrapper is made from; the main functions read it.
CPluginFactory* gFactory = nullptr;

AEffect* wrap(const FUID& cid, audioMasterCallback callback)
{
    gFactory->addRef();
    return Vst2Wrapper::create(gFactory, cid.toTUID(), kRecorderId, callback);
}

AEffect* recorderMain(audioMasterCallback callback)
{
    return wrap(kRecorderUID, callback);
}

AEffect* unknownClassMain(audioMasterCallback callback)
{
    return wrap(kUnknownUID, callback);
}

AEffect* noHostMain(audioMasterCallback)
{
    return wrap(kRecorderUID, nullptr);
}

// Counts what the run loop calls; reads what its descriptor has.
struct LoopHandler : FObject, Linux::IEventHandler, Linux::ITimerHandler
{
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor fd) override
    {
        char byte = 0;
        events += static_cast<int>(read(fd, &byte, 1));
    }
    void PLUGIN_API onTimer() override { ++ticks; }
    int events = 0;
    int ticks = 0;
    OBJ_METHODS(LoopHandler, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::IEventHandler)
    DEF_INTERFACE(Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

std::string ascii(const TChar* text)
{
    std::string out;
    for (; *text; ++text)
        out += static_cast<char>(*text);
    return out;
}

class Vst2WrapperTest : public testing::Test
{
protected:
    void SetUp() override
    {
        static PFactoryInfo info("Velmora Test", "https://velmora.invalid/test", "test",
                                 PFactoryInfo::kUnicode);
        gFactory = new CPluginFactory(info);
        PClassInfo2 recorder(kRecorderUID, PClassInfo::kManyInstances, kVstAudioEffectClass,
                             "Recorder", 0, "Fx|Test", nullptr, "1.2.3.4", kVstVersionString);
        gFactory->registerClass(&recorder, RecordingEffect::createInstance);
        vst2 = std::make_unique<Vst2Plugin>(&recorderMain);
        ASSERT_TRUE(vst2->loaded()) << vst2->error();
    }

    void TearDown() override
    {
        vst2.reset();
        EXPECT_EQ(gFactory->release(), 0u) << "the wrapper did not let go of the factory";
        gFactory = nullptr;
    }

    AEffect* effect() const { return vst2->effect(); }

    // processReplacing of frames samples of a constant input; answers the left output.
    std::vector<float> process(int frames, float input = 0.5f)
    {
        std::vector<float> in[2] = {std::vector<float>(static_cast<size_t>(frames), input),
                                    std::vector<float>(static_cast<size_t>(frames), input)};
        std::vector<float> out[2] = {std::vector<float>(static_cast<size_t>(frames), 9.0f),
                                     std::vector<float>(static_cast<size_t>(frames), 9.0f)};
        float* inputs[2] = {in[0].data(), in[1].data()};
        float* outputs[2] = {out[0].data(), out[1].data()};
        vst2->processReplacing(inputs, outputs, frames);
        return out[0];
    }

    void resume(int blockSize = 512) { vst2->resume(48000.0f, blockSize); }

    // The log entries after the first that starts with from.
    static std::vector<std::string> logFrom(const std::vector<std::string>& log,
                                            const std::string& from)
    {
        for (auto it = log.begin(); it != log.end(); ++it)
            if (it->rfind(from, 0) == 0)
                return std::vector<std::string>(it, log.end());
        return {};
    }

    RecordingEffect& plugin() { return *RecordingEffect::last(); }

    std::unique_ptr<Vst2Plugin> vst2;
};

TEST_F(Vst2WrapperTest, PresentsTheClassAsAVst2Effect)
{
    EXPECT_EQ(effect()->magic, kEffectMagic);
    EXPECT_EQ(effect()->uniqueID, kRecorderId);
    EXPECT_EQ(effect()->version, 0x01020304);
    EXPECT_EQ(effect()->numInputs, 2) << "the main bus only; the side chain stays off";
    EXPECT_EQ(effect()->numOutputs, 2);
    EXPECT_EQ(effect()->numParams, 3) << "Gain, Bend, Bypass: not the read-only, not the program";
    EXPECT_EQ(effect()->numPrograms, 3);
    EXPECT_EQ(effect()->flags, effFlagsCanReplacing | effFlagsProgramChunks)
        << "no editor: the class makes no view";
    EXPECT_EQ(vst2->text(effGetEffectName), "Recorder");
    EXPECT_EQ(vst2->text(effGetProductString), "Recorder");
    EXPECT_EQ(vst2->text(effGetVendorString), "Velmora Test")
        << "the factory's, as the class has none";
    EXPECT_EQ(vst2->dispatch(effGetVendorVersion), 0x01020304);
    EXPECT_EQ(vst2->dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(vst2->dispatch(effGetVstVersion), kVstVersion);
    EXPECT_EQ(vst2->dispatch(Vst2::kEffGetTailSize), 1) << "no tail";

    const std::pair<const char*, VstIntPtr> features[] = {
        {"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1}, {"bypass", 1},
        {"sendVstEvents", -1},   {"sendVstMidiEvent", -1},   {"noSuchFeature", 0}};
    for (const auto& [feature, answer] : features)
        EXPECT_EQ(vst2->dispatch(effCanDo, 0, 0, const_cast<char*>(feature)), answer) << feature;

    VstPinProperties pin{};
    ASSERT_EQ(vst2->dispatch(effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Main In 2");
    EXPECT_EQ(pin.flags, Vst2::kPinIsActive | Vst2::kPinIsStereo);
    EXPECT_EQ(vst2->dispatch(effGetOutputProperties, 2, 0, &pin), 0);
}

TEST_F(Vst2WrapperTest, GivesNoEffectForAClassItCannotCreateOrWithoutAHost)
{
    EXPECT_FALSE(Vst2Plugin(&unknownClassMain).loaded());
    EXPECT_FALSE(Vst2Plugin(&noHostMain).loaded());
}

TEST_F(Vst2WrapperTest, ParametersShowTheControllersTexts)
{
    EXPECT_EQ(vst2->text(effGetParamName, kGain), "Gain");
    EXPECT_EQ(vst2->text(effGetParamName, kBypass), "Bypass");
    EXPECT_EQ(vst2->text(effGetParamLabel, kGain), "x2");
    EXPECT_EQ(vst2->dispatch(effCanBeAutomated, kBend), 1);

    vst2->setParameter(kGain, 0.25f);
    String128 expected{};
    ASSERT_EQ(plugin().getParamStringByValue(RecordingEffect::kGainId, 0.25, expected), kResultOk);
    EXPECT_EQ(vst2->text(effGetParamDisplay, kGain), ascii(expected));

    EXPECT_EQ(vst2->dispatch(effString2Parameter, kGain, 0, const_cast<char*>("0.75")), 1);
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 0.75f);
    EXPECT_EQ(vst2->dispatch(effString2Parameter, kGain), 1) << "the parameter takes text";
}

TEST_F(Vst2WrapperTest, AHostValueReachesTheNextBlockOnceAndTheControllerFromTheMainThread)
{
    resume();
    vst2->setParameter(kGain, 0.25f);
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 0.25f);
    EXPECT_EQ(plugin().getParamNormalized(RecordingEffect::kGainId), 0.5)
        << "setParameter may come from the audio thread: the controller waits for the main one";
    vst2->dispatch(effEditIdle);
    EXPECT_EQ(plugin().getParamNormalized(RecordingEffect::kGainId), 0.25);

    process(64);
    process(64);
    EXPECT_EQ(logFrom(plugin().log, "block"),
              (std::vector<std::string>{"block 64", "param 10 @0 0.25", "block 64"}));
    EXPECT_FLOAT_EQ(process(8)[0], 0.25f) << "gain 2 x 0.25 of the input 0.5";
}

TEST_F(Vst2WrapperTest, OutOfRangeParametersAndProgramsAreIgnored)
{
    resume();
    for (int index : {-1, 3, 1000})
    {
        SCOPED_TRACE(index);
        vst2->setParameter(index, 0.9f);
        EXPECT_EQ(vst2->getParameter(index), 0.0f);
        for (int opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
        {
            VstIntPtr answer = -1;
            EXPECT_EQ(vst2->text(opcode, index, &answer), std::string(256, '#'));
            EXPECT_EQ(answer, 0);
        }
        EXPECT_EQ(vst2->dispatch(effCanBeAutomated, index), 0);
        EXPECT_EQ(vst2->dispatch(effString2Parameter, index, 0, const_cast<char*>("0.5")), 0);
    }
    vst2->dispatch(effSetProgram, 0, 1);
    for (VstIntPtr program : {-1, 3, 99})
    {
        SCOPED_TRACE(program);
        vst2->dispatch(effSetProgram, 0, program);
        EXPECT_EQ(vst2->dispatch(effGetProgram), 1);
        VstIntPtr answer = -1;
        EXPECT_EQ(vst2->text(effGetProgramNameIndexed, static_cast<int>(program), &answer),
                  std::string(256, '#'));
        EXPECT_EQ(answer, 0);
    }
    process(16);
    for (const std::string& entry : plugin().log)
        EXPECT_EQ(entry.find("0.9"), std::string::npos) << entry;
    for (int index = 0; index < effect()->numParams; ++index)
        EXPECT_NE(vst2->getParameter(index), 0.9f);
}

TEST_F(Vst2WrapperTest, MidiBecomesEventsAndTheParameterChangesTheControllersMapTo)
{
    resume();
    vst2->sendMidi({{3, {0x90, 60, 127}},
                    {4, {0x91, 61, 0}}, // a note-on without velocity ends the note
                    {5, {0x82, 62, 127}},
                    {6, {0xA3, 63, 127}},
                    {7, {0xB0, 7, 127}},  // volume: Gain
                    {8, {0xE0, 0, 0x40}}, // pitch bend centre: Bend
                    {9, {0xD0, 100, 0}},  // channel pressure: mapped to nothing
                    {9, {0xB0, 74, 5}}}); // an unmapped controller
    process(16);
    EXPECT_EQ(logFrom(plugin().log, "block"),
              (std::vector<std::string>{"block 16", "param 10 @7 1", "param 11 @8 0.500031",
                                        "noteOn 0 60 1 @3", "noteOff 1 61 0 @4",
                                        "noteOff 2 62 1 @5", "polyPressure 3 63 1 @6"}));
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 1.0f)
        << "the host sees where the controller moved the parameter";
    vst2->dispatch(effEditIdle);
    EXPECT_EQ(plugin().getParamNormalized(RecordingEffect::kGainId), 1.0);
}

// Both process entry points: each part gets its own events and transport position.
TEST_F(Vst2WrapperTest, LongerBlocksThanAnnouncedArePassedOnInParts)
{
    for (const bool accumulating : {false, true})
    {
        const std::string mark = accumulating ? "accumulating" : "replacing";
        SCOPED_TRACE(mark);
        resume(64);
        vst2->setParameter(kGain, 0.25f);
        vst2->sendMidi({{10, {0x90, 60, 127}}, {70, {0x90, 61, 127}}, {149, {0x90, 62, 127}}});
        plugin().log.push_back(mark);
        vst2->answersTime = true;
        vst2->time.samplePos = 4800.0;
        std::vector<float> in(150, 0.5f);
        std::vector<float> out[2] = {std::vector<float>(150, 0.0f), std::vector<float>(150, 0.0f)};
        float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {out[0].data(), out[1].data()};
        if (accumulating)
            effect()->process(effect(), inputs, outputs, 150);
        else
            vst2->processReplacing(inputs, outputs, 150);
        EXPECT_EQ(logFrom(plugin().log, mark),
                  (std::vector<std::string>{mark, "block 64", "param 10 @0 0.25",
                                            "noteOn 0 60 1 @10", "block 64", "noteOn 0 61 1 @6",
                                            "block 22", "noteOn 0 62 1 @21"}));
        EXPECT_EQ(plugin().lastContext.projectTimeSamples, 4800 + 128)
            << "the last part starts 128 samples after the host's position";
        vst2->dispatch(effMainsChanged, 0, 0);
    }
}

TEST_F(Vst2WrapperTest, TheTransportComesFromTheHostsTimeInfo)
{
    resume();
    vst2->answersTime = true;
    vst2->time.samplePos = 4800.0;
    vst2->time.tempo = 133.0;
    vst2->time.ppqPos = 2.5;
    vst2->time.timeSigNumerator = 7;
    vst2->time.timeSigDenominator = 8;
    vst2->time.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    process(32);
    const ProcessContext& context = plugin().lastContext;
    EXPECT_EQ(context.projectTimeSamples, 4800);
    EXPECT_EQ(context.sampleRate, 48000.0);
    EXPECT_EQ(context.tempo, 133.0);
    EXPECT_EQ(context.projectTimeMusic, 2.5);
    EXPECT_EQ(context.timeSigNumerator, 7);
    EXPECT_EQ(context.timeSigDenominator, 8);
    EXPECT_EQ(context.state, ProcessContext::kPlaying | ProcessContext::kTempoValid |
                                 ProcessContext::kProjectTimeMusicValid |
                                 ProcessContext::kTimeSigValid);

    // Without one, the position counts the samples processed.
    vst2->answersTime = false;
    process(32);
    const TSamples first = plugin().lastContext.projectTimeSamples;
    process(32);
    EXPECT_EQ(plugin().lastContext.projectTimeSamples, first + 32);
    EXPECT_EQ(plugin().lastContext.state, 0u);
}

TEST_F(Vst2WrapperTest, ProgramsSelectThroughTheProgramChangeParameter)
{
    resume();
    const std::string names[] = {"Clean", "Warm", "Hot"};
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(vst2->text(effGetProgramNameIndexed, p), names[p]);

    vst2->setParameter(kGain, 0.3f);
    vst2->dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(vst2->dispatch(effGetProgram), 2);
    EXPECT_EQ(vst2->text(effGetProgramName), "Hot");
    EXPECT_EQ(plugin().getParamNormalized(RecordingEffect::kProgramsId), 1.0);
    process(8);
    EXPECT_EQ(logFrom(plugin().log, "block"),
              (std::vector<std::string>{"block 8", "param 10 @0 0.3", "param 40 @0 1"}))
        << "the program leaves Gain alone, so the host's value still arrives";
}

TEST_F(Vst2WrapperTest, AValueTheStateChangesIsNotOverriddenByAnOlderHostValue)
{
    resume();
    vst2->setParameter(kGain, 0.8f);
    const std::vector<char> saved = []
    {
        Vst2Plugin other(&recorderMain);
        other.setParameter(kGain, 0.1f);
        return other.chunk();
    }();

    ASSERT_EQ(vst2->setChunk(saved), 1);
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 0.1f);
    process(8);
    for (const std::string& entry : plugin().log)
        EXPECT_EQ(entry.find("0.8"), std::string::npos) << entry;
}

TEST_F(Vst2WrapperTest, AChunkCarriesTheStateWithTheClassAndAChecksum)
{
    vst2->setParameter(kGain, 0.125f);
    const std::vector<char> saved = vst2->chunk();
    ASSERT_EQ(saved.size(), 28u + 16u) << "header and the effect's two doubles";
    EXPECT_EQ(std::string(saved.data(), 4), "V3Ck");
    EXPECT_EQ(std::memcmp(saved.data() + 4, kRecorderUID.toTUID(), 16), 0);
    const auto* payload = reinterpret_cast<const Bytef*>(saved.data() + 28);
    uint32 size = 0;
    uint32 sum = 0;
    std::memcpy(&size, saved.data() + 20, 4);
    std::memcpy(&sum, saved.data() + 24, 4);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(sum, crc32(0L, payload, 16));

    Vst2Plugin other(&recorderMain);
    ASSERT_EQ(other.setChunk(saved), 1);
    EXPECT_EQ(plugin().gain, 0.125);
    EXPECT_FLOAT_EQ(other.getParameter(kGain), 0.125f);
}

TEST_F(Vst2WrapperTest, ABrokenChunkIsRefusedAndChangesNothing)
{
    vst2->setParameter(kGain, 0.125f);
    const std::vector<char> good = vst2->chunk();
    vst2->setParameter(kGain, 0.75f);

    ASSERT_EQ(good.size(), 44u);
    auto changed = [&good](size_t at, char delta)
    {
        std::vector<char> bytes = good;
        bytes.at(at) = static_cast<char>(bytes.at(at) + delta);
        return bytes;
    };
    const std::pair<const char*, std::vector<char>> broken[] = {
        {"cut by a byte", std::vector<char>(good.begin(), good.end() - 1)},
        {"header only", std::vector<char>(good.begin(), good.begin() + 28)},
        {"shorter than a header", std::vector<char>(good.begin(), good.begin() + 3)},
        {"another format", changed(0, 1)},
        {"another class", changed(10, 1)},
        {"a payload byte changed", changed(30, 1)},
        {"a checksum byte changed", changed(25, 1)},
        {"empty", {}}};
    const size_t setStatesBefore = plugin().log.size();
    for (const auto& [what, bytes] : broken)
        EXPECT_EQ(vst2->setChunk(bytes), 0) << what;
    EXPECT_EQ(plugin().log.size(), setStatesBefore) << "the effect never saw them";
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 0.75f);
}

TEST_F(Vst2WrapperTest, AStateTheEffectRefusesHalfwayIsUndone)
{
    vst2->setParameter(kGain, 0.125f);
    std::vector<char> refused = vst2->chunk();
    const double gain = 0.625;
    const double bypass = 5.0; // outside 0..1: refused after Gain was taken
    std::memcpy(refused.data() + 28, &gain, 8);
    std::memcpy(refused.data() + 36, &bypass, 8);
    const uint32 sum =
        static_cast<uint32>(crc32(0L, reinterpret_cast<const Bytef*>(refused.data() + 28), 16));
    std::memcpy(refused.data() + 24, &sum, 4);

    EXPECT_EQ(vst2->setChunk(refused), 0);
    EXPECT_EQ(plugin().gain, 0.125) << "the state before the call is back";
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 0.125f);
}

TEST_F(Vst2WrapperTest, ThePluginsCallsReachTheHostAtIdle)
{
    resume();
    IComponentHandler* handler = plugin().handler();
    ASSERT_NE(handler, nullptr);
    handler->beginEdit(RecordingEffect::kGainId);
    handler->performEdit(RecordingEffect::kGainId, 0.8);
    handler->endEdit(RecordingEffect::kGainId);
    plugin().setLatency(32);
    handler->restartComponent(kLatencyChanged);
    handler->performEdit(RecordingEffect::kLevelId, 0.3); // not a host parameter
    EXPECT_EQ(effect()->initialDelay, 32);
    EXPECT_TRUE(vst2->calls.empty()) << "nothing from inside a host call";

    vst2->dispatch(effEditIdle);
    const std::vector<Vst2Plugin::Call> expected = {
        {audioMasterBeginEdit, kGain, 0, 0.0f, effEditIdle},
        {audioMasterAutomate, kGain, 0, 0.8f, effEditIdle},
        {audioMasterEndEdit, kGain, 0, 0.0f, effEditIdle},
        {Vst2::kAudioMasterIOChanged, 0, 0, 0.0f, effEditIdle}};
    EXPECT_EQ(vst2->calls, expected);
    EXPECT_FLOAT_EQ(vst2->getParameter(kGain), 0.8f);
    process(8);
    EXPECT_EQ(logFrom(plugin().log, "block"),
              (std::vector<std::string>{"block 8", "param 10 @0 0.8"}));
}

// What the plug-in registers with the run loop its handler offers runs when the host
// idles the editor: readable descriptors at once, timers when due.
TEST_F(Vst2WrapperTest, EditIdleServesThePluginsRunLoop)
{
    FUnknownPtr<Linux::IRunLoop> loop(plugin().handler());
    ASSERT_TRUE(loop);
    IPtr<LoopHandler> handler = owned(new LoopHandler);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    ASSERT_EQ(loop->registerEventHandler(handler, pipeEnds[0]), kResultTrue);
    ASSERT_EQ(loop->registerTimer(handler, 30), kResultTrue);

    vst2->dispatch(effEditIdle);
    EXPECT_EQ(handler->events, 0);
    EXPECT_EQ(handler->ticks, 0);
    ASSERT_EQ(write(pipeEnds[1], "x", 1), 1);
    vst2->dispatch(effEditIdle);
    EXPECT_EQ(handler->events, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    vst2->dispatch(effEditIdle);
    vst2->dispatch(effEditIdle);
    EXPECT_EQ(handler->ticks, 1);

    EXPECT_EQ(loop->unregisterEventHandler(handler), kResultTrue);
    EXPECT_EQ(loop->unregisterTimer(handler), kResultTrue);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    vst2->dispatch(effEditIdle);
    EXPECT_EQ(handler->events, 1);
    EXPECT_EQ(handler->ticks, 1);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

TEST_F(Vst2WrapperTest, ResumeSetsUpAndActivatesAndSuspendDeactivates)
{
    resume(256);
    vst2->dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(logFrom(plugin().log, "setup"),
              (std::vector<std::string>{"setup 48000 256", "active", "inactive"}));
    const std::vector<float> out = process(16);
    EXPECT_EQ(out, std::vector<float>(16, 0.0f)) << "silence while suspended";
    EXPECT_EQ(logFrom(plugin().log, "block"), std::vector<std::string>{});
}

TEST_F(Vst2WrapperTest, BypassGoesThroughTheBypassParameter)
{
    resume();
    vst2->setParameter(kGain, 0.25f);
    EXPECT_EQ(vst2->dispatch(Vst2::kEffSetBypass, 0, 1), 1);
    EXPECT_EQ(process(8), std::vector<float>(8, 0.5f));
    EXPECT_EQ(vst2->getParameter(kBypass), 1.0f);
}

TEST_F(Vst2WrapperTest, TheAccumulatingProcessAddsToTheOutput)
{
    resume(16);
    vst2->setParameter(kGain, 0.25f);
    std::vector<float> in(40, 0.5f);
    std::vector<float> out[2] = {std::vector<float>(40, 1.0f), std::vector<float>(40, 1.0f)};
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    effect()->process(effect(), inputs, outputs, 40);
    EXPECT_EQ(out[0], std::vector<float>(40, 1.25f)) << "1 + 2 x 0.25 x 0.5, in parts of 16";
    EXPECT_EQ(out[1], out[0]);
}

} // namespace
