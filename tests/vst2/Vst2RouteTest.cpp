// The library loaded as a VST2 host loads it, checked against what the same library
// shows a VST3 host.
#include "Renderer.h"
#include "ScratchFolder.h"
#include "Vst2Plugin.h"

#include "adapter/ParameterIds.h"
#include "entry/Version.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>
#include <zlib.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using ZargHost::PluginInstance;
using ZargHost::PluginModule;
using Zeri2VST3::kBypassId;
using Zeri2VST3::kChannelPressureId;
using Zeri2VST3::kJoystickXId;
using Zeri2VST3::kMidiVolumeId;
using Zeri2VST3::kPitchBendId;
using Zeri2VST3::kPresetParamId;

namespace
{

constexpr double kRate = 48000.0;
constexpr int32 kBlock = 512;

std::string ascii(const TChar* text)
{
    std::string out;
    for (; *text; ++text)
        out += static_cast<char>(*text);
    return out;
}

// The state keeps plain values in single precision: normalised values come back within
// a rounding step.
void expectNear(const std::vector<float>& actual, const std::vector<float>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << "parameter " << i;
}

// What a setting is on either route: a factory preset, then parameter values by id.
struct Settings
{
    int preset = -1;
    std::vector<std::pair<ParamID, double>> values;
};

class Vst2Route : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.loaded()) << module.error();
        PClassInfo info{};
        ASSERT_EQ(module.factory()->getClassInfo(0, &info), kResultOk);
        classId = FUID::fromTUID(info.cid);
        vst3 = openVst3();
        for (int32 i = 0; i < vst3->controller()->getParameterCount(); ++i)
        {
            ParameterInfo parameter{};
            vst3->controller()->getParameterInfo(i, parameter);
            if ((parameter.flags & ParameterInfo::kCanAutomate) != 0 &&
                (parameter.flags & ParameterInfo::kIsProgramChange) == 0)
                automatable.push_back(parameter);
        }
    }

    static std::string library() { return PluginModule::libraryPathOf(ZARG_BUNDLE); }

    std::unique_ptr<Vst2Plugin> openVst2(const std::string& path = library())
    {
        auto plugin = std::make_unique<Vst2Plugin>(path);
        EXPECT_TRUE(plugin->loaded()) << plugin->error();
        return plugin;
    }

    std::unique_ptr<PluginInstance> openVst3()
    {
        auto instance =
            std::make_unique<PluginInstance>(module.factory(), classId, module.hostContext());
        EXPECT_TRUE(instance->created()) << instance->error();
        EXPECT_EQ(instance->initialize(), kResultOk);
        return instance;
    }

    // The VST2 parameter that stands for a VST3 id.
    int indexOf(ParamID id) const
    {
        for (size_t i = 0; i < automatable.size(); ++i)
            if (automatable[i].id == id)
                return static_cast<int>(i);
        ADD_FAILURE() << "no VST2 parameter for id " << id;
        return -1;
    }

    void apply(Vst2Plugin& plugin, const Settings& settings)
    {
        if (settings.preset >= 0)
            plugin.dispatch(effSetProgram, 0, settings.preset);
        for (const auto& [id, value] : settings.values)
            plugin.setParameter(indexOf(id), static_cast<float>(value));
    }

    // The VST3 route: the preset through the controller, the values in the first block.
    Stereo renderVst3(const Settings& settings, const Stereo& in)
    {
        auto instance = openVst3();
        EXPECT_EQ(instance->setupProcessing(kRate, kBlock), kResultOk);
        EXPECT_EQ(instance->activate(), kResultOk);
        if (settings.preset >= 0)
            instance->controller()->setParamNormalized(kPresetParamId, settings.preset / 15.0);
        std::vector<Change> changes;
        for (const auto& [id, value] : settings.values)
            changes.push_back({0, id, value});
        return render(*instance, in, kBlock, changes);
    }

    // A new instance with the settings, resumed, rendering in.
    Stereo renderFresh(const Settings& settings, const Stereo& in)
    {
        auto plugin = openVst2();
        apply(*plugin, settings);
        plugin->resume(static_cast<float>(kRate), kBlock);
        return renderVst2(*plugin, in);
    }

    // processReplacing in blocks, with the test host's transport.
    static Stereo renderVst2(Vst2Plugin& plugin, const Stereo& in)
    {
        plugin.answersTime = true;
        plugin.time = VstTimeInfo{};
        plugin.time.sampleRate = kRate;
        plugin.time.tempo = 120.0;
        plugin.time.timeSigNumerator = 4;
        plugin.time.timeSigDenominator = 4;
        plugin.time.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid;
        Stereo out{std::vector<float>(in.size()), std::vector<float>(in.size())};
        std::vector<float> left(in.left);
        std::vector<float> right(in.right);
        for (size_t start = 0; start < in.size(); start += kBlock)
        {
            const int frames = static_cast<int>(std::min<size_t>(kBlock, in.size() - start));
            float* inputs[2] = {left.data() + start, right.data() + start};
            float* outputs[2] = {out.left.data() + start, out.right.data() + start};
            plugin.processReplacing(inputs, outputs, frames);
            plugin.time.samplePos += frames;
        }
        return out;
    }

    ZargHost::PluginModule module{ZARG_BUNDLE};
    FUID classId;
    std::unique_ptr<PluginInstance> vst3;
    std::vector<ParameterInfo> automatable;
};

TEST_F(Vst2Route, IdentifiesAsTheProductWithTheFactorysClassId)
{
    auto vst2 = openVst2();
    AEffect* effect = vst2->effect();
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->uniqueID, kZargVst2UniqueId);
    EXPECT_EQ(effect->version, 0x00000100) << "0.0.1.0";
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks);
    EXPECT_EQ(effect->initialDelay, static_cast<VstInt32>(vst3->processor()->getLatencySamples()));
    EXPECT_EQ(vst2->text(effGetEffectName), "ZARG");
    EXPECT_EQ(vst2->text(effGetProductString), "ZARG");
    EXPECT_EQ(vst2->text(effGetVendorString), "Velmora");
    EXPECT_EQ(vst2->dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(vst2->dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent")), 1);
    EXPECT_EQ(vst2->dispatch(effCanDo, 0, 0, const_cast<char*>("bypass")), 1);

    // The chunk names the class it belongs to: the VST3 factory's, byte for byte.
    const std::vector<char> chunk = vst2->chunk();
    ASSERT_GE(chunk.size(), 20u);
    EXPECT_EQ(std::memcmp(chunk.data() + 4, classId.toTUID(), 16), 0);
    EXPECT_TRUE(vst2->calls.empty()) << "the plug-in called the host while being created";
}

TEST_F(Vst2Route, ParametersAreTheAutomatableVst3ParametersInTheirOrder)
{
    auto vst2 = openVst2();
    ASSERT_EQ(vst2->effect()->numParams, static_cast<VstInt32>(automatable.size()));
    EXPECT_EQ(automatable.size(), 38u) << "24 controls, joystick, 3 buttons, bypass, 8 MIDI";
    for (size_t i = 0; i < automatable.size(); ++i)
    {
        const ParameterInfo& info = automatable[i];
        const int index = static_cast<int>(i);
        SCOPED_TRACE(ascii(info.title));
        EXPECT_EQ(vst2->text(effGetParamName, index), ascii(info.title));
        EXPECT_EQ(vst2->text(effGetParamLabel, index), ascii(info.units));
        EXPECT_FLOAT_EQ(vst2->getParameter(index),
                        static_cast<float>(vst3->controller()->getParamNormalized(info.id)));
        for (float value : {0.0f, 0.3f, 1.0f})
        {
            vst2->setParameter(index, value);
            EXPECT_EQ(vst2->getParameter(index), value);
            String128 display{};
            ASSERT_EQ(vst3->controller()->getParamStringByValue(info.id, value, display),
                      kResultOk);
            EXPECT_EQ(vst2->text(effGetParamDisplay, index), ascii(display).substr(0, 23));
        }
    }
}

TEST_F(Vst2Route, ProgramsAreTheFactoryPresetsAndSetTheSameValues)
{
    auto vst2 = openVst2();
    ASSERT_EQ(vst2->effect()->numPrograms, 16);
    for (int p = 0; p < 16; ++p)
    {
        String128 name{};
        ASSERT_EQ(vst3->unitInfo()->getProgramName(kPresetParamId, p, name), kResultOk);
        SCOPED_TRACE(ascii(name));
        EXPECT_EQ(vst2->text(effGetProgramNameIndexed, p), ascii(name));

        vst2->dispatch(effSetProgram, 0, p);
        vst3->controller()->setParamNormalized(kPresetParamId, p / 15.0);
        EXPECT_EQ(vst2->dispatch(effGetProgram), p);
        EXPECT_EQ(vst2->text(effGetProgramName), ascii(name));
        for (size_t i = 0; i < automatable.size(); ++i)
            EXPECT_FLOAT_EQ(
                vst2->getParameter(static_cast<int>(i)),
                static_cast<float>(vst3->controller()->getParamNormalized(automatable[i].id)))
                << ascii(automatable[i].title);
    }
}

TEST_F(Vst2Route, ProcessReplacingRendersWhatTheVst3RouteRenders)
{
    const Stereo in = testSignal(kRate, 1.0);
    const Settings cases[] = {
        {}, {5, {}}, {11, {{0, 0.75}, {5, 0.25}, {18, 0.5}}}, {2, {{kBypassId, 1.0}}}, // bypassed
    };
    for (const Settings& settings : cases)
    {
        SCOPED_TRACE(testing::Message() << "preset " << settings.preset << ", "
                                        << settings.values.size() << " values");
        auto vst2 = openVst2();
        vst2->resume(static_cast<float>(kRate), kBlock);
        apply(*vst2, settings);
        const Stereo viaVst2 = renderVst2(*vst2, in);
        const Stereo viaVst3 = renderVst3(settings, in);
        EXPECT_GT(rms(viaVst2.left), 1e-3);
        EXPECT_TRUE(viaVst2.left == viaVst3.left);
        EXPECT_TRUE(viaVst2.right == viaVst3.right);
    }
}

// The chunk is taken before anything was processed (the host's values still wait for a
// block) and restored into an instance that is suspended or already running.
TEST_F(Vst2Route, AChunkRestoresAnotherInstanceBitExactly)
{
    const Stereo in = testSignal(kRate, 0.5);
    for (const bool restoreRunning : {false, true})
    {
        SCOPED_TRACE(restoreRunning ? "restored while running" : "restored while suspended");
        auto source = openVst2();
        apply(*source, {7, {{0, 0.8}, {3, 0.6}, {13, 1.0}, {kJoystickXId, 0.25}}});
        const std::vector<char> chunk = source->chunk();
        source->resume(static_cast<float>(kRate), kBlock);
        const Stereo original = renderVst2(*source, in);

        auto copy = openVst2();
        if (restoreRunning)
            copy->resume(static_cast<float>(kRate), kBlock);
        ASSERT_EQ(copy->setChunk(chunk), 1);
        expectNear(copy->parameters(), source->parameters());
        if (!restoreRunning)
            copy->resume(static_cast<float>(kRate), kBlock);
        const Stereo restored = renderVst2(*copy, in);
        EXPECT_GT(rms(original.left), 1e-3);
        EXPECT_TRUE(restored.left == original.left);
        EXPECT_TRUE(restored.right == original.right);
    }
}

// The chunks come from other settings, so that a chunk taken even in part would show.
TEST_F(Vst2Route, BrokenChunksAreRefusedAndChangeNothing)
{
    const Settings settings{3, {{0, 0.7}}};
    const Stereo in = testSignal(kRate, 0.3);
    const Stereo expected = renderFresh(settings, in);

    auto other = openVst2();
    apply(*other, {9, {{0, 0.2}, {3, 0.9}}});
    const std::vector<char> good = other->chunk();
    ASSERT_EQ(good.size(), 28u + 114u) << "header and the 114-byte state";

    auto changed = [&good](size_t at, unsigned char value)
    {
        std::vector<char> bytes = good;
        bytes.at(at) = static_cast<char>(value);
        return bytes;
    };
    // Control 3 (a float, after three fields) made NaN, with a checksum to match: the
    // processor itself refuses it once it took the fields before, and the wrapper undoes
    // those.
    std::vector<char> nan = good;
    const float notANumber = std::nanf("");
    std::memcpy(nan.data() + 28 + 8 + 3 * 4, &notANumber, 4);
    const auto sum =
        static_cast<uint32>(crc32(0L, reinterpret_cast<const Bytef*>(nan.data() + 28), 114));
    std::memcpy(nan.data() + 24, &sum, 4);

    const std::pair<const char*, std::vector<char>> broken[] = {
        {"cut by a byte", std::vector<char>(good.begin(), good.end() - 1)},
        {"cut in the header", std::vector<char>(good.begin(), good.begin() + 10)},
        {"another class", changed(4, 0)},
        {"a value changed", changed(40, 0x55)},
        {"empty", {}},
        {"a NaN value", nan},
    };
    for (const auto& [what, bytes] : broken)
    {
        SCOPED_TRACE(what);
        auto plugin = openVst2();
        apply(*plugin, settings);
        const std::vector<float> before = plugin->parameters();
        EXPECT_EQ(plugin->setChunk(bytes), 0);
        expectNear(plugin->parameters(), before);
        plugin->resume(static_cast<float>(kRate), kBlock);
        EXPECT_TRUE(renderVst2(*plugin, in).left == expected.left);
    }

    auto plugin = openVst2();
    apply(*plugin, settings);
    const std::vector<float> before = plugin->parameters();
    ASSERT_EQ(plugin->setChunk(good), 1);
    EXPECT_NE(plugin->parameters(), before) << "the whole chunk does change the settings";
}

TEST_F(Vst2Route, OutOfRangeParametersAndProgramsAreIgnored)
{
    const Settings settings{4, {{1, 0.6}}};
    const Stereo in = testSignal(kRate, 0.3);
    const Stereo expected = renderFresh(settings, in);

    auto plugin = openVst2();
    apply(*plugin, settings);
    const std::vector<float> before = plugin->parameters();
    const int count = plugin->effect()->numParams;
    for (int index : {-1, count, count + 1, 1 << 30})
    {
        SCOPED_TRACE(index);
        plugin->setParameter(index, 0.9f);
        EXPECT_EQ(plugin->getParameter(index), 0.0f);
        for (int opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
        {
            VstIntPtr answer = -1;
            EXPECT_EQ(plugin->text(opcode, index, &answer), std::string(256, '#'));
            EXPECT_EQ(answer, 0);
        }
        EXPECT_EQ(plugin->dispatch(effString2Parameter, index, 0, const_cast<char*>("1")), 0);
    }
    for (VstIntPtr program : {-1, 16, 17, 1000})
    {
        SCOPED_TRACE(program);
        plugin->dispatch(effSetProgram, 0, program);
        EXPECT_EQ(plugin->dispatch(effGetProgram), 4);
        VstIntPtr answer = -1;
        EXPECT_EQ(plugin->text(effGetProgramNameIndexed, static_cast<int>(program), &answer),
                  std::string(256, '#'));
        EXPECT_EQ(answer, 0);
    }
    EXPECT_EQ(plugin->parameters(), before);
    plugin->resume(static_cast<float>(kRate), kBlock);
    EXPECT_TRUE(renderVst2(*plugin, in).left == expected.left);
}

// MIDI controllers drive the parameters the processor maps them to, as in a VST3 host.
TEST_F(Vst2Route, MidiControllersMoveTheirParameters)
{
    auto vst2 = openVst2();
    vst2->resume(static_cast<float>(kRate), kBlock);
    vst2->sendMidi({{0, {0xB0, 7, 100}}, {3, {0xE0, 0x7F, 0x7F}}, {5, {0xD0, 64, 0}}});
    renderVst2(*vst2, testSignal(kRate, 0.01));
    EXPECT_FLOAT_EQ(vst2->getParameter(indexOf(kMidiVolumeId)), 100.0f / 127.0f);
    EXPECT_FLOAT_EQ(vst2->getParameter(indexOf(kPitchBendId)), 1.0f);
    EXPECT_FLOAT_EQ(vst2->getParameter(indexOf(kChannelPressureId)), 64.0f / 127.0f);
}

// VST2 hosts find the library through a link in ~/.vst; loaded that way first, it still
// finds its editor's resources beside itself.
TEST(Vst2Link, TheEditorFindsItsResourcesThroughALink)
{
    const ScratchFolder vstFolder;
    const std::string link = vstFolder.file("ZARG.so");
    std::filesystem::create_symlink(PluginModule::libraryPathOf(ZARG_BUNDLE), link);
    Vst2Plugin plugin(link);
    ASSERT_TRUE(plugin.loaded()) << plugin.error();
    EXPECT_NE(plugin.effect()->flags & effFlagsHasEditor, 0);
    ERect* rect = nullptr;
    ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 306);
    EXPECT_EQ(rect->bottom - rect->top, 426);
}

// The same entry points and adapter around a plug-in object that makes its MIDI audible.
TEST(Vst2Midi, NotesAndControllersReachThePlugInObjectAtTheirFrames)
{
    Vst2Plugin probe(ZARG_MIDI_PROBE);
    ASSERT_TRUE(probe.loaded()) << probe.error();
    probe.resume(48000.0f, 64);
    probe.sendMidi({{5, {0x90, 60, 100}}, {9, {0xB0, 1, 64}}, {20, {0x80, 60, 0}}});
    std::vector<float> in(32, 0.0f);
    std::vector<float> left(32, -1.0f);
    std::vector<float> right(32, -1.0f);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {left.data(), right.data()};
    probe.processReplacing(inputs, outputs, 32);
    for (int i = 0; i < 32; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(left[static_cast<size_t>(i)], i >= 5 && i < 20 ? 60.0f / 128.0f : 0.0f)
            << "the note sounds from its frame to its note-off's";
        EXPECT_EQ(right[static_cast<size_t>(i)], 64.0f / 128.0f)
            << "the mod wheel, a parameter change, applies for the whole block";
    }
}

// Calls back into the host wait for an idle call; with no editor open the host's
// effEditIdle still serves the plug-in's timers.
TEST_F(Vst2Route, CallsTheHostBackOnlyFromIdle)
{
    auto vst2 = openVst2();
    vst2->resume(static_cast<float>(kRate), kBlock);
    vst2->dispatch(effSetProgram, 0, 6);
    renderVst2(*vst2, testSignal(kRate, 0.05));
    EXPECT_TRUE(vst2->calls.empty());

    const auto updates = [&vst2]
    {
        return std::count_if(vst2->calls.begin(), vst2->calls.end(),
                             [](const auto& call)
                             { return call.opcode == Vst2::kAudioMasterUpdateDisplay; });
    };
    for (int i = 0; i < 50 && updates() == 0; ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        vst2->dispatch(effEditIdle);
    }
    EXPECT_EQ(updates(), 1) << "the program's new values are announced once";
    for (const Vst2Plugin::Call& call : vst2->calls)
        EXPECT_EQ(call.inside, effEditIdle) << "opcode " << call.opcode;
}

} // namespace
