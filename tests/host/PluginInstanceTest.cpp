#include "TestEffectIds.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ZargHost;
using ZargTestEffect::kBlockSamplesId;
using ZargTestEffect::kGainId;
using ZargTestEffect::kLastNoteId;
using ZargTestEffect::kTempoId;

namespace
{

class PluginInstanceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.loaded()) << module.error();
        plugin = open();
    }

    std::unique_ptr<PluginInstance> open()
    {
        auto instance = std::make_unique<PluginInstance>(
            module.factory(), ZargTestEffect::kEffectUID, module.hostContext());
        EXPECT_TRUE(instance->created()) << instance->error();
        EXPECT_EQ(instance->initialize(), kResultOk);
        return instance;
    }

    PluginModule module{ZARG_TEST_BUNDLE};
    std::unique_ptr<PluginInstance> plugin;
};

TEST_F(PluginInstanceTest, ReachesEveryFaceOfTheOneObject)
{
    EXPECT_NE(plugin->processor(), nullptr);
    EXPECT_NE(plugin->controller(), nullptr);
    EXPECT_NE(plugin->unitInfo(), nullptr);
    EXPECT_NE(plugin->connectionPoint(), nullptr);
    EXPECT_EQ(plugin->midiMapping(), nullptr) << "the test effect maps no MIDI";
    EXPECT_TRUE(plugin->query<IEditController2>());
    EXPECT_FALSE(plugin->query<IPluginFactory>());

    ASSERT_EQ(plugin->controller()->getParameterCount(), 4);
    ParameterInfo info{};
    ASSERT_EQ(plugin->controller()->getParameterInfo(0, info), kResultOk);
    EXPECT_EQ(info.id, kGainId);
    EXPECT_EQ(info.defaultNormalizedValue, 0.5);
    BusInfo bus{};
    ASSERT_EQ(plugin->component()->getBusInfo(kAudio, kOutput, 0, bus), kResultOk);
    EXPECT_EQ(bus.channelCount, 2);
}

TEST_F(PluginInstanceTest, ProcessesStereoWithChangesEventsAndTransport)
{
    ASSERT_EQ(plugin->setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kStereo), kResultOk);
    ASSERT_EQ(plugin->setupProcessing(48000.0, 256), kResultOk);
    ASSERT_EQ(plugin->activate(), kResultOk);

    ProcessBlock block({2}, {2}, 256, 48000.0);
    for (int32 ch = 0; ch < 2; ++ch)
        for (int32 i = 0; i < 256; ++i)
            block.input(0, ch)[i] = static_cast<float>(i + 1000 * ch) / 4096.0f;
    block.fillOutputs(-9.0f);
    block.inputChanges().add(kGainId, 0, 0.25);
    block.inputChanges().add(kGainId, 100, 0.75); // the last point wins: gain 1.5
    block.inputEvents().addNoteOn(5, 0, 64, 1.0f);
    block.context().tempo = 90.0;

    ASSERT_EQ(plugin->process(block, 200), kResultOk);
    for (int32 ch = 0; ch < 2; ++ch)
    {
        EXPECT_FLOAT_EQ(block.output(0, ch)[0], block.input(0, ch)[0] * 1.5f);
        EXPECT_FLOAT_EQ(block.output(0, ch)[199], block.input(0, ch)[199] * 1.5f);
        EXPECT_EQ(block.output(0, ch)[200], -9.0f) << "beyond numSamples nothing is written";
    }
    EXPECT_DOUBLE_EQ(*block.outputChanges().lastValue(kLastNoteId), 64.0 / 127.0);
    EXPECT_DOUBLE_EQ(*block.outputChanges().lastValue(kTempoId), 0.09);
    EXPECT_DOUBLE_EQ(*block.outputChanges().lastValue(kBlockSamplesId), 200.0 / 256.0);
    EXPECT_EQ(block.context().projectTimeSamples, 200);

    // Next block: no changes (gain stays), no transport.
    block.clearChangesAndEvents();
    block.setContextEnabled(false);
    ASSERT_EQ(plugin->process(block, 256), kResultOk);
    EXPECT_FLOAT_EQ(block.output(0, 1)[255], block.input(0, 1)[255] * 1.5f);
    EXPECT_FALSE(block.outputChanges().lastValue(kTempoId).has_value());
    EXPECT_EQ(plugin->deactivate(), kResultOk);
}

TEST_F(PluginInstanceTest, ProcessesMonoAfterAMonoArrangement)
{
    EXPECT_EQ(plugin->setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kMono), kResultFalse);
    ASSERT_EQ(plugin->setBusArrangements(SpeakerArr::kMono, SpeakerArr::kMono), kResultOk);
    BusInfo bus{};
    ASSERT_EQ(plugin->component()->getBusInfo(kAudio, kInput, 0, bus), kResultOk);
    EXPECT_EQ(bus.channelCount, 1);
    ASSERT_EQ(plugin->setupProcessing(44100.0, 64), kResultOk);
    ASSERT_EQ(plugin->activate(), kResultOk);

    ProcessBlock block({1}, {1}, 64);
    block.input(0, 0)[10] = 0.5f;
    ASSERT_EQ(plugin->process(block, 64), kResultOk);
    EXPECT_FLOAT_EQ(block.output(0, 0)[10], 0.5f) << "default gain is unity";
    EXPECT_EQ(plugin->process(block, 0), kResultOk) << "an empty block only flushes parameters";
}

TEST_F(PluginInstanceTest, StateMovesBetweenInstancesAndTellsTheHost)
{
    ASSERT_EQ(plugin->setupProcessing(44100.0, 32), kResultOk);
    ASSERT_EQ(plugin->activate(), kResultOk);
    ProcessBlock block({2}, {2}, 32);
    block.inputChanges().add(kGainId, 0, 0.8);
    ASSERT_EQ(plugin->process(block, 32), kResultOk);

    std::vector<char> state;
    ASSERT_EQ(plugin->getState(state), kResultOk);
    ASSERT_EQ(state.size(), sizeof(double));

    auto other = open();
    ASSERT_EQ(other->setState(state), kResultOk);
    EXPECT_DOUBLE_EQ(other->controller()->getParamNormalized(kGainId), 0.8);
    using K = RecordingComponentHandler::Kind;
    ASSERT_EQ(other->handler().calls().size(), 1u);
    EXPECT_EQ(other->handler().calls()[0].kind, K::RestartComponent);
    EXPECT_EQ(other->handler().calls()[0].number, kParamValuesChanged);
    EXPECT_TRUE(plugin->handler().calls().empty()) << "instances are independent";

    std::vector<char> truncated(state.begin(), state.begin() + 4);
    EXPECT_EQ(other->setState(truncated), kResultFalse);
    EXPECT_EQ(other->setState({}), kResultFalse);
    EXPECT_EQ(other->release(), 0u);
}

TEST_F(PluginInstanceTest, ReleaseReportsReferencesStillHeld)
{
    IPtr<IComponent> extra = plugin->query<IComponent>();
    ASSERT_TRUE(extra);
    EXPECT_EQ(plugin->release(), 1u) << "the extra reference keeps the object";
    EXPECT_EQ(plugin->component(), nullptr);
    IComponent* last = extra.take();
    EXPECT_EQ(last->release(), 0u);
}

} // namespace
