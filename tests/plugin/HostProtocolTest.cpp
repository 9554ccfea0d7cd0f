// The bundle driven the ways real hosts drive plug-ins beyond the plain
// calling sequence: both faces initialized, parameter changes flushed
// without audio, plain values stored and converted back, unchanged values
// re-sent in any order, and calls made while the host holds its own lock.
#include "PluginFixture.h"
#include "Renderer.h"
#include "adapter/ParameterIds.h"

#include "pluginterfaces/vst/ivstunits.h"

#include <algorithm>
#include <map>
#include <set>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::kBypassId;
using Zeri2VST3::kJoystickXId;
using Zeri2VST3::kJoystickYId;
using Zeri2VST3::kPresetParamId;

namespace
{

constexpr ParamID kControls = 24;

class HostProtocolTest : public PluginFixture
{
protected:
    std::unique_ptr<ZargHost::PluginInstance> start()
    {
        auto plugin = open();
        EXPECT_EQ(plugin->setupProcessing(48000.0, 512), kResultOk);
        EXPECT_EQ(plugin->activate(), kResultOk);
        return plugin;
    }

    static std::vector<char> state(ZargHost::PluginInstance& plugin)
    {
        std::vector<char> bytes;
        EXPECT_EQ(plugin.getState(bytes), kResultOk);
        return bytes;
    }
};

// Hosts initialize the component and then the controller, here one object:
// every parameter and unit is there once, and the object comes apart only
// with the last terminate.
TEST_F(HostProtocolTest, InitializingBothFacesRegistersEverythingOnce)
{
    auto plugin = open(); // initializes both faces
    IEditController* controller = plugin->controller();
    std::set<ParamID> ids;
    for (int32 i = 0; i < controller->getParameterCount(); ++i)
    {
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(i, info), kResultOk);
        EXPECT_TRUE(ids.insert(info.id).second) << "parameter " << info.id << " twice";
    }
    // 24 controls, joystick X and Y, 3 buttons, Bypass, 8 MIDI, presets.
    EXPECT_EQ(ids.size(), 39u);
    EXPECT_EQ(plugin->unitInfo()->getUnitCount(), 2);
    EXPECT_EQ(plugin->component()->getBusCount(kAudio, kInput), 1);

    // One terminate leaves the other face working.
    ASSERT_EQ(plugin->component()->terminate(), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 39);
    EXPECT_EQ(plugin->component()->getBusCount(kAudio, kOutput), 1);
}

// A host flushes changes while stopped with calls that carry no audio; they
// are applied, and a save and restore keeps them.
TEST_F(HostProtocolTest, ChangesFlushedWithoutAudioAreApplied)
{
    auto plugin = start();
    ZargHost::ProcessBlock block({2}, {2}, 512, 48000.0);
    block.inputChanges().add(kBypassId, 0, 1.0);
    block.inputChanges().add(5, 0, 0.75); // Volume
    ASSERT_EQ(plugin->flush(block), kResultOk);
    const auto saved = state(*plugin);

    auto restored = start();
    ASSERT_EQ(restored->setState(saved), kResultOk);
    ASSERT_EQ(restored->setComponentState(saved), kResultOk);
    EXPECT_EQ(restored->controller()->getParamNormalized(kBypassId), 1.0);
    EXPECT_NEAR(restored->controller()->getParamNormalized(5), 0.75, 1e-6);
    EXPECT_EQ(state(*restored), saved);
}

// A host may save right after it changed values on the controller, before
// its next block brings them to the processor: the save holds them.
TEST_F(HostProtocolTest, ASaveHoldsValuesTheHostSetBeforeTheyArrive)
{
    auto plugin = start();
    IEditController* controller = plugin->controller();
    const std::map<ParamID, ParamValue> edits = {{0, 0.3},
                                                 {8, 0.2},
                                                 {13, 1.0},
                                                 {kBypassId, 1.0},
                                                 {kJoystickXId, 0.75},
                                                 {kJoystickYId, 0.125}};
    for (const auto& [id, value] : edits)
        ASSERT_EQ(plugin->setParamNormalized(id, value), kResultOk);
    const auto saved = state(*plugin);

    // The same values delivered through processing save the same bytes.
    auto delivered = start();
    ZargHost::ProcessBlock block({2}, {2}, 512, 48000.0);
    for (const auto& [id, value] : edits)
        block.inputChanges().add(id, 0, value);
    ASSERT_EQ(delivered->flush(block), kResultOk);
    EXPECT_EQ(saved, state(*delivered));

    auto restored = start();
    ASSERT_EQ(restored->setState(saved), kResultOk);
    ASSERT_EQ(restored->setComponentState(saved), kResultOk);
    // The state keeps plain values in single precision.
    for (const auto& [id, value] : edits)
        EXPECT_NEAR(restored->controller()->getParamNormalized(id),
                    controller->getParamNormalized(id), 1e-6)
            << id;
}

// A factory preset chosen while the host holds its lock: nothing calls back
// into the host during the call; the host is asked to re-read its values
// from its run loop afterwards, and hears of them through the next block's
// output changes too (its only way when it offers no run loop).
TEST_F(HostProtocolTest, PresetSelectionNeverCallsBackIntoTheLockedHost)
{
    for (bool runLoop : {true, false})
    {
        SCOPED_TRACE(runLoop ? "run loop offered" : "no run loop");
        auto plugin = std::make_unique<ZargHost::PluginInstance>(module.factory(), classId,
                                                                 module.hostContext());
        if (!runLoop)
            plugin->handler().offerRunLoop(nullptr);
        ASSERT_EQ(plugin->initialize(), kResultOk);
        ASSERT_EQ(plugin->setupProcessing(48000.0, 512), kResultOk);
        ASSERT_EQ(plugin->activate(), kResultOk);
        plugin->handler().clear();
        ASSERT_EQ(plugin->setParamNormalized(kPresetParamId, 15.0 / 15.0), kResultOk);
        EXPECT_EQ(plugin->handler().reentrantCalls(), 0);
        EXPECT_TRUE(plugin->handler().calls().empty());

        plugin->idle();
        const auto& calls = plugin->handler().calls();
        const bool restarted = std::any_of(
            calls.begin(), calls.end(),
            [](const auto& call)
            {
                return call.kind == ZargHost::RecordingComponentHandler::Kind::RestartComponent &&
                       call.number == kParamValuesChanged;
            });
        EXPECT_EQ(restarted, runLoop);

        ZargHost::ProcessBlock block({2}, {2}, 512, 48000.0);
        ASSERT_EQ(plugin->process(block, 64), kResultOk);
        const auto values = plugin->parameterValues();
        for (ParamID id = 0; id < kControls; ++id)
        {
            const auto reported = block.outputChanges().lastValue(id);
            ASSERT_TRUE(reported.has_value()) << id;
            EXPECT_EQ(*reported, values.at(id)) << id;
        }
        // Reported once, not at every block.
        block.outputChanges().clear();
        ASSERT_EQ(plugin->process(block, 64), kResultOk);
        EXPECT_FALSE(block.outputChanges().lastValue(0).has_value());
    }
}

// A host restoring a project may select its last preset first and restore
// the saved state right after, before any block runs: what the next block
// reports is what the host holds now, not the preset.
TEST_F(HostProtocolTest, ReportedValuesFollowALaterRestore)
{
    auto source = start();
    ASSERT_EQ(source->setParamNormalized(kPresetParamId, 2.0 / 15.0), kResultOk);
    ASSERT_EQ(source->setParamNormalized(0, 0.123), kResultOk);
    ZargHost::ProcessBlock change({2}, {2}, 512, 48000.0);
    change.inputChanges().add(0, 0, 0.123);
    ASSERT_EQ(source->flush(change), kResultOk);
    const auto saved = state(*source);

    auto plugin = start();
    ASSERT_EQ(plugin->setParamNormalized(kPresetParamId, 15.0 / 15.0), kResultOk);
    ASSERT_EQ(plugin->setState(saved), kResultOk);
    ASSERT_EQ(plugin->setComponentState(saved), kResultOk);
    ZargHost::ProcessBlock block({2}, {2}, 512, 48000.0);
    ASSERT_EQ(plugin->process(block, 64), kResultOk);
    const auto values = plugin->parameterValues();
    EXPECT_NEAR(values.at(0), 0.123, 1e-6);
    for (ParamID id = 0; id < kControls; ++id)
    {
        const auto reported = block.outputChanges().lastValue(id);
        ASSERT_TRUE(reported.has_value()) << id;
        EXPECT_EQ(*reported, values.at(id)) << id;
    }
    EXPECT_EQ(state(*plugin), saved);
}

// A host that stores plain values converts every parameter back and forth at
// each save and reload, some in single precision: after the first round trip
// nothing moves, bit for bit, on the host's side or in the saved state.
TEST_F(HostProtocolTest, PlainValueRoundTripsSettle)
{
    auto plugin = start();
    IEditController* controller = plugin->controller();
    ASSERT_EQ(plugin->setParamNormalized(kPresetParamId, 13.0 / 15.0), kResultOk);
    plugin->idle();
    // Values a user might leave anywhere, the volt/octave ones included.
    const std::map<ParamID, ParamValue> set = {
        {0, 0.999883}, {5, 0.4321}, {7, 0.777}, {8, 0.61803}, {1, 0.2468}, {19, 0.5},
    };
    for (bool singlePrecision : {false, true})
    {
        SCOPED_TRACE(singlePrecision ? "float host" : "double host");
        auto stored = [singlePrecision](double v)
        { return singlePrecision ? static_cast<double>(static_cast<float>(v)) : v; };
        std::map<ParamID, ParamValue> values = plugin->parameterValues();
        for (const auto& [id, v] : set)
            values[id] = v;
        values.erase(kPresetParamId);

        std::vector<char> firstState;
        std::map<ParamID, ParamValue> firstValues;
        for (int reload = 0; reload < 6; ++reload)
        {
            ZargHost::ProcessBlock block({2}, {2}, 512, 48000.0);
            for (auto& [id, v] : values)
            {
                const double plain = stored(controller->normalizedParamToPlain(id, v));
                v = stored(controller->plainParamToNormalized(id, plain));
                ASSERT_EQ(plugin->setParamNormalized(id, v), kResultOk);
                block.inputChanges().add(id, 0, v);
            }
            ASSERT_EQ(plugin->flush(block), kResultOk);
            if (reload == 0)
            {
                firstState = state(*plugin);
                firstValues = values;
                continue;
            }
            for (const auto& [id, v] : values)
                ASSERT_EQ(v, firstValues.at(id)) << "parameter " << id << ", reload " << reload;
            ASSERT_EQ(state(*plugin), firstState) << "reload " << reload;
        }
    }
}

// After a preset load a host re-sends every value it holds, unchanged, in
// whatever order it keeps them: the sound stays exactly the preset's.
TEST_F(HostProtocolTest, ResentUnchangedValuesLeaveTheSound)
{
    const Stereo in = testSignal(48000.0, 0.3);
    for (int preset : {15, 2, 11})
    {
        SCOPED_TRACE(preset);
        auto reference = start();
        ASSERT_EQ(reference->setParamNormalized(kPresetParamId, preset / 15.0), kResultOk);
        const Stereo expected = render(*reference, in, 512);

        auto resent = start();
        ASSERT_EQ(resent->setParamNormalized(kPresetParamId, preset / 15.0), kResultOk);
        resent->idle();
        std::vector<Change> changes;
        const auto values = resent->parameterValues();
        for (auto it = values.rbegin(); it != values.rend(); ++it)
            if (it->first != kPresetParamId)
                changes.push_back({0, it->first, it->second});
        const Stereo out = render(*resent, in, 512, changes);
        ASSERT_EQ(out.left, expected.left);
        ASSERT_EQ(out.right, expected.right);
    }
}

} // namespace
