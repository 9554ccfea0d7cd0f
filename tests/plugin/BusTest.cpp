#include "PluginFixture.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

class BusTest : public PluginFixture
{
protected:
    void SetUp() override
    {
        PluginFixture::SetUp();
        plugin = open();
    }

    tresult arrange(std::vector<SpeakerArrangement> in, std::vector<SpeakerArrangement> out)
    {
        return plugin->processor()->setBusArrangements(in.data(), static_cast<int32>(in.size()),
                                                       out.data(), static_cast<int32>(out.size()));
    }

    std::unique_ptr<ZargHost::PluginInstance> plugin;
};

TEST_F(BusTest, OneStereoInOutAndAnEventInput)
{
    IComponent* component = plugin->component();
    ASSERT_EQ(component->getBusCount(kAudio, kInput), 1);
    ASSERT_EQ(component->getBusCount(kAudio, kOutput), 1);
    ASSERT_EQ(component->getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(component->getBusCount(kEvent, kOutput), 0);

    BusInfo bus{};
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, bus), kResultOk);
    EXPECT_EQ(text(bus.name), "AudioInput");
    EXPECT_EQ(bus.channelCount, 2);
    EXPECT_EQ(bus.busType, kMain);
    EXPECT_EQ(bus.flags, BusInfo::kDefaultActive);
    ASSERT_EQ(component->getBusInfo(kAudio, kOutput, 0, bus), kResultOk);
    EXPECT_EQ(text(bus.name), "Audio Output");
    EXPECT_EQ(bus.channelCount, 2);
    ASSERT_EQ(component->getBusInfo(kEvent, kInput, 0, bus), kResultOk);
    EXPECT_EQ(text(bus.name), "Event Input");
    EXPECT_EQ(bus.channelCount, 16);
    EXPECT_EQ(component->getBusInfo(kAudio, kInput, 1, bus), kInvalidArgument);

    TUID controller{};
    EXPECT_EQ(component->getControllerClassId(controller), kNotImplemented);
}

TEST_F(BusTest, AcceptsOnlyEqualSingleInputAndOutput)
{
    EXPECT_EQ(arrange({SpeakerArr::kMono}, {SpeakerArr::kMono}), kResultOk);
    SpeakerArrangement arrangement = 0;
    ASSERT_EQ(plugin->processor()->getBusArrangement(kOutput, 0, arrangement), kResultOk);
    EXPECT_EQ(arrangement, SpeakerArr::kMono);

    // Only what processing fills: mono or stereo, the same both ways.
    const std::vector<std::pair<std::vector<SpeakerArrangement>, std::vector<SpeakerArrangement>>>
        refused = {
            {{SpeakerArr::kMono}, {SpeakerArr::kStereo}},
            {{}, {SpeakerArr::kStereo}},
            {{SpeakerArr::kStereo, SpeakerArr::kStereo}, {SpeakerArr::kStereo}},
            {{SpeakerArr::k30Cine}, {SpeakerArr::k30Cine}},
            {{SpeakerArr::k40Music}, {SpeakerArr::k40Music}},
            {{SpeakerArr::k50}, {SpeakerArr::k50}},
            {{SpeakerArr::k51}, {SpeakerArr::k51}},
            {{SpeakerArr::kEmpty}, {SpeakerArr::kEmpty}},
            {{kSpeakerL | kSpeakerC}, {kSpeakerL | kSpeakerC}},
        };
    for (const auto& [in, out] : refused)
        EXPECT_EQ(arrange(in, out), kResultFalse) << (in.empty() ? 0 : in[0]);
    // A refused request leaves the busses as they were.
    ASSERT_EQ(plugin->processor()->getBusArrangement(kOutput, 0, arrangement), kResultOk);
    EXPECT_EQ(arrangement, SpeakerArr::kMono);
    EXPECT_EQ(arrange({SpeakerArr::kStereo}, {SpeakerArr::kStereo}), kResultOk);
}

TEST_F(BusTest, SampleSizeLatencyAndTail)
{
    IAudioProcessor* processor = plugin->processor();
    EXPECT_EQ(processor->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(processor->canProcessSampleSize(kSample64), kResultFalse);
    ASSERT_EQ(plugin->setupProcessing(48000.0, 512), kResultOk);
    EXPECT_EQ(processor->getTailSamples(), 24000u); // 500 ms
    ASSERT_EQ(plugin->setupProcessing(44100.0, 512), kResultOk);
    EXPECT_EQ(processor->getTailSamples(), 22050u);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
}

TEST_F(BusTest, GoesThroughItsLifeCycleAndReleasesToZero)
{
    ASSERT_EQ(plugin->setupProcessing(48000.0, 256), kResultOk);
    ASSERT_EQ(plugin->activate(), kResultOk);
    ZargHost::ProcessBlock block({2}, {2}, 256, 48000.0);
    EXPECT_EQ(plugin->process(block, 256), kResultOk);
    ASSERT_EQ(plugin->deactivate(), kResultOk);
    ASSERT_EQ(plugin->activate(), kResultOk);
    EXPECT_EQ(plugin->process(block, 256), kResultOk);
    ASSERT_EQ(plugin->deactivate(), kResultOk);
    ASSERT_EQ(plugin->terminate(), kResultOk);
    EXPECT_EQ(plugin->component()->getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(plugin->release(), 0u);
}

} // namespace
