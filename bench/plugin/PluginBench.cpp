// The whole plug-in through its VST3 interfaces, loaded from the bundle as a
// host loads it.
#include "adapter/ParameterIds.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::kPresetParamId;

namespace
{

constexpr double kRate = 48000.0;
constexpr ParamID kGain = 0;
constexpr ParamID kVolume = 5;

struct Session
{
    explicit Session(int32 maxBlock) : block({2}, {2}, maxBlock, kRate)
    {
        PClassInfo info{};
        module.factory()->getClassInfo(0, &info);
        plugin = std::make_unique<ZargHost::PluginInstance>(
            module.factory(), FUID::fromTUID(info.cid), module.hostContext());
        plugin->initialize();
        plugin->setupProcessing(kRate, maxBlock);
        plugin->activate();
        for (int32 c = 0; c < 2; ++c)
            for (int32 i = 0; i < maxBlock; ++i)
                block.input(0, c)[i] =
                    0.3f * std::sin(0.0171f * static_cast<float>(i) + static_cast<float>(c));
    }

    ZargHost::PluginModule module{ZARG_BUNDLE};
    std::unique_ptr<ZargHost::PluginInstance> plugin;
    ZargHost::ProcessBlock block;
};

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Audio seconds per CPU second at the default preset.
void BM_RealTimeFactor(benchmark::State& state)
{
    const auto blockSize = static_cast<int32>(state.range(0));
    Session s(blockSize);
    for (auto _ : state)
        s.plugin->process(s.block, blockSize);
    state.counters["realtime_x"] = benchmark::Counter(static_cast<double>(blockSize) / kRate *
                                                          static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RealTimeFactor)->Arg(32)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);

// Gain and Volume both ramping, a new value every 64-sample block: four
// redesigns per block. Reports the slowest block against its budget.
void BM_AutomationWorstBlock(benchmark::State& state)
{
    constexpr int32 kBlock = 64;
    Session s(kBlock);
    const double budget = kBlock / kRate;
    double worst = 0.0;
    int step = 0;
    for (auto _ : state)
    {
        const double value = 0.5 + 0.45 * std::sin(0.05 * step++);
        s.block.clearChangesAndEvents();
        s.block.inputChanges().add(kGain, 0, value);
        s.block.inputChanges().add(kVolume, 0, 1.0 - value);
        const auto start = Clock::now();
        s.plugin->process(s.block, kBlock);
        worst = std::max(worst, seconds(Clock::now() - start));
    }
    state.counters["worst_block_us"] = worst * 1e6;
    state.counters["worst_of_budget_pct"] = 100.0 * worst / budget;
}
BENCHMARK(BM_AutomationWorstBlock)->Unit(benchmark::kMicrosecond)->Iterations(3000);

// What a factory-preset load on the main thread costs the audio thread: the
// first 64-sample block after it applies the whole preset.
void BM_PresetLoadOnAudioThread(benchmark::State& state)
{
    constexpr int32 kBlock = 64;
    Session s(kBlock);
    const double budget = kBlock / kRate;
    double worst = 0.0;
    double total = 0.0;
    int preset = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        preset = (preset + 7) % 16;
        s.plugin->controller()->setParamNormalized(kPresetParamId, preset / 15.0);
        s.block.clearChangesAndEvents();
        state.ResumeTiming();
        const auto start = Clock::now();
        s.plugin->process(s.block, kBlock);
        const double t = seconds(Clock::now() - start);
        worst = std::max(worst, t);
        total += t;
    }
    state.counters["mean_block_us"] = 1e6 * total / static_cast<double>(state.iterations());
    state.counters["worst_block_us"] = 1e6 * worst;
    state.counters["worst_of_budget_pct"] = 100.0 * worst / budget;
}
BENCHMARK(BM_PresetLoadOnAudioThread)->Unit(benchmark::kMicrosecond)->Iterations(400);

} // namespace

BENCHMARK_MAIN();
