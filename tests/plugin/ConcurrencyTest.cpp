// Preset loads and state restores on the main thread while the audio thread
// processes: run under ThreadSanitizer in the test command.
#include "PluginFixture.h"
#include "Renderer.h"
#include "adapter/ParameterIds.h"

#include <atomic>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::kPresetParamId;

namespace
{

using ConcurrencyTest = PluginFixture;

TEST_F(ConcurrencyTest, MainThreadLoadsNeverRaceTheAudioThread)
{
    // States to restore: those of a few presets, taken from a quiet instance.
    std::vector<std::vector<char>> states;
    {
        auto source = open();
        for (int preset : {3, 8, 15})
        {
            source->controller()->setParamNormalized(kPresetParamId, preset / 15.0);
            std::vector<char> bytes;
            ASSERT_EQ(source->getState(bytes), kResultOk);
            states.push_back(bytes);
        }
    }

    auto plugin = open();
    ASSERT_EQ(plugin->setupProcessing(48000.0, 64), kResultOk);
    ASSERT_EQ(plugin->activate(), kResultOk);

    std::atomic<bool> done{false};
    std::atomic<bool> allFinite{true};
    std::atomic<int> blocks{0};
    std::thread audio(
        [&]
        {
            ZargHost::ProcessBlock block({2}, {2}, 64, 48000.0);
            auto runBlock = [&]
            {
                const int n = blocks.load();
                for (int32 c = 0; c < 2; ++c)
                    for (int32 i = 0; i < 64; ++i)
                        block.input(0, c)[i] =
                            0.4f * std::sin(0.02f * static_cast<float>(n * 64 + i));
                plugin->process(block, 64);
                for (int32 c = 0; c < 2; ++c)
                    for (int32 i = 0; i < 64; ++i)
                        if (!std::isfinite(block.output(0, c)[i]))
                            allFinite = false;
                blocks = n + 1;
            };
            while (!done.load())
                runBlock();
            // What the main thread handed over last is applied by the next block.
            runBlock();
        });

    IEditController* controller = plugin->controller();
    for (int round = 0; round < 60; ++round)
    {
        // Let the audio thread run between the loads, so that they interleave.
        const int seen = blocks.load();
        while (blocks.load() == seen)
            std::this_thread::yield();
        controller->setParamNormalized(kPresetParamId, (round % 16) / 15.0);
        ASSERT_EQ(plugin->setState(states[static_cast<size_t>(round) % states.size()]), kResultOk);
        std::vector<char> saved;
        ASSERT_EQ(plugin->getState(saved), kResultOk); // saving while audio runs
    }
    const std::vector<char>& last = states[59 % states.size()];
    done = true;
    audio.join();

    EXPECT_GT(blocks.load(), 60);
    EXPECT_TRUE(allFinite.load());
    std::vector<char> final;
    ASSERT_EQ(plugin->getState(final), kResultOk);
    EXPECT_EQ(final, last);
}

} // namespace
