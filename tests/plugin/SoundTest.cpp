#include "PluginFixture.h"
#include "Renderer.h"
#include "adapter/ParameterIds.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::kBypassId;
using Zeri2VST3::kPresetParamId;

namespace
{

constexpr ParamID kStereoMono = 13;
constexpr ParamID kLeftRight = 14;
constexpr ParamID kThreshold = 22;

class SoundTest : public PluginFixture
{
protected:
    std::unique_ptr<ZargHost::PluginInstance> start(double rate, int32 maxBlock = 4096,
                                                    SpeakerArrangement arr = SpeakerArr::kStereo)
    {
        auto plugin = open();
        EXPECT_EQ(plugin->setBusArrangements(arr, arr), kResultOk);
        EXPECT_EQ(plugin->setupProcessing(rate, maxBlock), kResultOk);
        EXPECT_EQ(plugin->activate(), kResultOk);
        return plugin;
    }
};

TEST_F(SoundTest, EveryPresetSoundsAndIsDeterministic)
{
    for (double rate : {44100.0, 48000.0})
    {
        const Stereo in = testSignal(rate, 2.0);
        std::vector<std::vector<float>> presetOutputs;
        for (int preset = 0; preset < 16; ++preset)
        {
            SCOPED_TRACE(testing::Message() << "preset " << preset << " at " << rate);
            Stereo outs[2];
            for (Stereo& out : outs)
            {
                auto plugin = start(rate);
                plugin->controller()->setParamNormalized(kPresetParamId, preset / 15.0);
                out = render(*plugin, in, 512);
            }
            ASSERT_TRUE(allFinite(outs[0]));
            EXPECT_GT(rms(outs[0].left), 1e-3);
            EXPECT_GT(rms(outs[0].right), 1e-3);
            EXPECT_EQ(outs[0].left, outs[1].left);
            EXPECT_EQ(outs[0].right, outs[1].right);
            for (const std::vector<float>& other : presetOutputs)
                EXPECT_NE(outs[0].left, other) << "the same sound as an earlier preset";
            presetOutputs.push_back(outs[0].left);
        }
    }
}

TEST_F(SoundTest, BlockSizeDoesNotChangeTheOutput)
{
    const Stereo in = testSignal(48000.0, 1.5);
    const std::vector<Change> changes = {
        {0, 0, 0.8}, {20000, 18, 11.0 / 19.0}, {20000, 5, 0.3}, {45000, 23, 1.0}};
    Stereo reference;
    for (int32 size : {4096, 1000, 512, 64, 7, 1})
    {
        SCOPED_TRACE(size);
        auto plugin = start(48000.0);
        const Stereo out = render(*plugin, in, size, changes);
        if (reference.size() == 0)
        {
            reference = out;
            ASSERT_GT(rms(out.left), 1e-3);
            continue;
        }
        EXPECT_EQ(out.left, reference.left);
        EXPECT_EQ(out.right, reference.right);
    }
}

// The chain adds no delay: a click at the first sample is heard in the first
// sample of the output, on both channels and at every block size.
TEST_F(SoundTest, AClickIsAnsweredInTheSameSample)
{
    const size_t n = 3000;
    Stereo silence{std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)};
    Stereo click = silence;
    click.left[0] = click.right[0] = 0.5f;
    for (int32 size : {1, 64})
    {
        auto quiet = start(48000.0);
        const Stereo still = render(*quiet, silence, size);
        auto plugin = start(48000.0);
        const Stereo out = render(*plugin, click, size);
        EXPECT_GT(std::fabs(out.left[0] - still.left[0]), 1e-3f) << size;
        EXPECT_GT(std::fabs(out.right[0] - still.right[0]), 1e-3f) << size;
    }
}

TEST_F(SoundTest, RoutesTheInputsAsStereoMonoAndLeftRightSay)
{
    const Stereo in = testSignal(48000.0, 0.3);
    auto stereo = start(48000.0);
    const Stereo reference = render(*stereo, in, 256);
    ASSERT_NE(reference.left, reference.right);

    const struct
    {
        double leftRight;
        const std::vector<float>* expected;
    } monoCases[] = {{0.0, &reference.left}, {1.0, &reference.right}};
    for (const auto& c : monoCases)
    {
        auto plugin = start(48000.0);
        const Stereo out =
            render(*plugin, in, 256, {{0, kStereoMono, 1.0}, {0, kLeftRight, c.leftRight}});
        EXPECT_EQ(out.left, *c.expected) << "LeftRight " << c.leftRight;
        EXPECT_EQ(out.right, *c.expected) << "LeftRight " << c.leftRight;
    }

    // A mono bus takes its one channel whatever LeftRight says.
    for (double leftRight : {0.0, 1.0})
    {
        auto plugin = start(48000.0, 4096, SpeakerArr::kMono);
        const Stereo out =
            render(*plugin, in, 256, {{0, kStereoMono, 1.0}, {0, kLeftRight, leftRight}}, 1);
        EXPECT_EQ(out.left, reference.left) << "mono bus, LeftRight " << leftRight;
    }
}

TEST_F(SoundTest, TinyInputsEnterAsSilence)
{
    const size_t n = 6000;
    auto renderConstant = [&](float value)
    {
        auto plugin = start(48000.0);
        Stereo in{std::vector<float>(n, value), std::vector<float>(n, -value)};
        return render(*plugin, in, 512);
    };
    const Stereo silence = renderConstant(0.0f);
    EXPECT_EQ(renderConstant(1e-13f).left, silence.left);
    EXPECT_EQ(renderConstant(std::numeric_limits<float>::denorm_min()).left, silence.left);
    EXPECT_NE(renderConstant(1e-6f).left, silence.left);
}

TEST_F(SoundTest, NonFiniteInputDoesNotPoisonTheChain)
{
    Stereo in = testSignal(48000.0, 0.5);
    Stereo cleaned = in;
    for (size_t i : {100u, 101u, 5000u})
    {
        in.left[i] = std::numeric_limits<float>::quiet_NaN();
        in.right[i] = std::numeric_limits<float>::infinity();
        cleaned.left[i] = cleaned.right[i] = 0.0f;
    }
    auto dirty = start(48000.0);
    const Stereo out = render(*dirty, in, 512);
    ASSERT_TRUE(allFinite(out));
    auto clean = start(48000.0);
    EXPECT_EQ(out.left, render(*clean, cleaned, 512).left);
}

TEST_F(SoundTest, GateRunsAboveMinus65Decibels)
{
    const Stereo in = testSignal(48000.0, 2.0);
    auto renderAt = [&](double normalized)
    {
        auto plugin = start(48000.0);
        return render(*plugin, in, 512, {{0, kThreshold, normalized}});
    };
    const Stereo off = renderAt(0.0);          // -70 dB
    EXPECT_EQ(renderAt(0.1).left, off.left);   // -65 dB: still out of the path
    EXPECT_NE(renderAt(0.102).left, off.left); // -64.9 dB
}

// Largest step between neighbouring samples of both channels in [from, to).
float largestStep(const Stereo& s, size_t from, size_t to)
{
    float step = 0.0f;
    for (size_t i = std::max<size_t>(from, 1); i < std::min(to, s.size()); ++i)
        step = std::max(
            {step, std::fabs(s.left[i] - s.left[i - 1]), std::fabs(s.right[i] - s.right[i - 1])});
    return step;
}

// The plug-in adds no delay and says so; bypass fades to the input as it is,
// and back. The chain runs on while bypassed: once the fade back is over the
// output is exactly that of an instance never bypassed, not audio held from
// before the switch.
TEST_F(SoundTest, BypassCrossfadesBothWaysWithTheUndelayedInput)
{
    constexpr size_t kOn = 3000;
    constexpr size_t kOff = 12000;
    constexpr size_t kFade = 480; // 10 ms at 48 kHz
    const Stereo in = testSignal(48000.0, 0.5);
    auto never = start(48000.0);
    const Stereo processed = render(*never, in, 256);
    auto plugin = start(48000.0);
    EXPECT_EQ(plugin->processor()->getLatencySamples(), 0u);
    const Stereo out = render(*plugin, in, 256, {{kOn, kBypassId, 1.0}, {kOff, kBypassId, 0.0}});

    for (size_t i = 0; i < kOn; ++i)
        ASSERT_EQ(out.left[i], processed.left[i]) << i;
    for (size_t i = kOn + kFade; i < kOff; ++i)
    {
        ASSERT_EQ(out.left[i], in.left[i]) << i;
        ASSERT_EQ(out.right[i], in.right[i]) << i;
    }
    for (size_t i = kOff + kFade; i < in.size(); ++i)
    {
        ASSERT_EQ(out.left[i], processed.left[i]) << i;
        ASSERT_EQ(out.right[i], processed.right[i]) << i;
    }

    // No click: across either fade the output moves no more from one sample
    // to the next than the two signals it mixes do, give or take what the
    // smooth fade itself adds.
    for (size_t at : {kOn, kOff})
    {
        SCOPED_TRACE(at);
        const float bound =
            std::max(largestStep(processed, at, at + kFade), largestStep(in, at, at + kFade)) +
            0.01f;
        EXPECT_LE(largestStep(out, at - 1, at + kFade + 1), bound);
        // A hard switch would jump by far more than that here.
        float gap = 0.0f;
        for (size_t i = at; i < at + kFade; ++i)
            gap = std::max(gap, std::fabs(processed.left[i] - in.left[i]));
        EXPECT_GT(gap, 2.0f * bound);
    }
}

} // namespace
