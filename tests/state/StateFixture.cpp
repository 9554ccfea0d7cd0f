#include "StateFixture.h"

#include "host/ProcessBlock.h"

#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

void StateFixture::SetUp()
{
    ASSERT_TRUE(module.loaded()) << module.error();
    PClassInfo info{};
    ASSERT_EQ(module.factory()->getClassInfo(0, &info), kResultOk);
    classId = FUID::fromTUID(info.cid);
}

std::unique_ptr<ZargHost::PluginInstance> StateFixture::open(bool active)
{
    auto instance =
        std::make_unique<ZargHost::PluginInstance>(module.factory(), classId, module.hostContext());
    EXPECT_TRUE(instance->created()) << instance->error();
    EXPECT_EQ(instance->initialize(), kResultOk);
    if (active)
    {
        EXPECT_EQ(instance->setupProcessing(kSampleRate, kBlock), kResultOk);
        EXPECT_EQ(instance->activate(), kResultOk);
    }
    return instance;
}

std::vector<char> StateFixture::state(ZargHost::PluginInstance& instance)
{
    std::vector<char> bytes;
    EXPECT_EQ(instance.getState(bytes), kResultOk);
    return bytes;
}

tresult StateFixture::setComponentState(ZargHost::PluginInstance& instance,
                                        const std::vector<char>& bytes)
{
    return instance.setComponentState(bytes);
}

void StateFixture::restore(ZargHost::PluginInstance& instance, const std::vector<char>& bytes)
{
    EXPECT_EQ(instance.setState(bytes), kResultOk);
    EXPECT_EQ(setComponentState(instance, bytes), kResultOk);
}

tresult StateFixture::selectPreset(ZargHost::PluginInstance& instance, int preset)
{
    return instance.setParamNormalized(Zeri2VST3::kPresetParamId, preset / 15.0);
}

std::map<ParamID, double> StateFixture::hostValues(ZargHost::PluginInstance& instance)
{
    return instance.parameterValues();
}

std::vector<float> StateFixture::render(ZargHost::PluginInstance& instance, int blocks,
                                        const std::vector<std::pair<ParamID, double>>& changes)
{
    ZargHost::ProcessBlock block({2}, {2}, kBlock, kSampleRate);
    std::vector<float> out;
    uint32_t noise = 12345;
    size_t n = 0;
    for (int b = 0; b < blocks; ++b)
    {
        block.clearChangesAndEvents();
        if (b == 0)
            for (const auto& [id, value] : changes)
                block.inputChanges().add(id, 0, value);
        for (int32 s = 0; s < kBlock; ++s, ++n)
        {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double>(n) / kSampleRate;
            const float sample = static_cast<float>(
                0.4 * std::sin(2.0 * M_PI * 110.0 * t) + 0.2 * std::sin(2.0 * M_PI * 330.0 * t) +
                0.05 * (static_cast<double>(noise >> 8) / (1 << 24) - 0.5));
            block.input(0, 0)[s] = sample;
            block.input(0, 1)[s] = -0.5f * sample;
        }
        EXPECT_EQ(instance.process(block, kBlock), kResultOk);
        for (int32 c = 0; c < 2; ++c)
            out.insert(out.end(), block.output(0, c), block.output(0, c) + kBlock);
    }
    return out;
}
