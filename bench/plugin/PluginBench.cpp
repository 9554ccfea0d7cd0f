// The whole plug-in through its VST3 interfaces, loaded from the bundle as a
// host loads it.
#include "adapter/ParameterIds.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"

#include <benchmark/benchmark.h>

#include <sched.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

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
    Session(const char* bundle, int32 maxBlock) : module(bundle), block({2}, {2}, maxBlock, kRate)
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

    ZargHost::PluginModule module;
    std::unique_ptr<ZargHost::PluginInstance> plugin;
    ZargHost::ProcessBlock block;
};

// This thread's CPU time in seconds: on a shared machine, time spent waiting for the core is
// not the plug-in's cost.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Audio seconds per CPU second at the default preset.
void BM_RealTimeFactor(benchmark::State& state, const char* bundle)
{
    const auto blockSize = static_cast<int32>(state.range(0));
    Session s(bundle, blockSize);
    for (auto _ : state)
        s.plugin->process(s.block, blockSize);
    state.counters["realtime_x"] = benchmark::Counter(static_cast<double>(blockSize) / kRate *
                                                          static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

// Gain and Volume both ramping, a new value every 64-sample block: four
// redesigns per block. Reports the slowest block against its budget.
void BM_AutomationWorstBlock(benchmark::State& state, const char* bundle)
{
    constexpr int32 kBlock = 64;
    Session s(bundle, kBlock);
    const double budget = kBlock / kRate;
    double worst = 0.0;
    double total = 0.0;
    int step = 0;
    for (auto _ : state)
    {
        const double value = 0.5 + 0.45 * std::sin(0.05 * step++);
        s.block.clearChangesAndEvents();
        s.block.inputChanges().add(kGain, 0, value);
        s.block.inputChanges().add(kVolume, 0, 1.0 - value);
        const double start = cpuSeconds();
        s.plugin->process(s.block, kBlock);
        const double t = cpuSeconds() - start;
        worst = std::max(worst, t);
        total += t;
    }
    state.counters["mean_block_us"] = 1e6 * total / static_cast<double>(state.iterations());
    state.counters["worst_block_us"] = worst * 1e6;
    state.counters["worst_of_budget_pct"] = 100.0 * worst / budget;
}

// What a factory-preset load on the main thread costs the audio thread: the
// first 64-sample block after it applies the whole preset.
void BM_PresetLoadOnAudioThread(benchmark::State& state, const char* bundle)
{
    constexpr int32 kBlock = 64;
    Session s(bundle, kBlock);
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
        const double start = cpuSeconds();
        s.plugin->process(s.block, kBlock);
        const double t = cpuSeconds() - start;
        worst = std::max(worst, t);
        total += t;
    }
    state.counters["mean_block_us"] = 1e6 * total / static_cast<double>(state.iterations());
    state.counters["worst_block_us"] = 1e6 * worst;
    state.counters["worst_of_budget_pct"] = 100.0 * worst / budget;
}

// Each benchmark for every bundle given, so a build of another revision can be measured in
// the same run; keeps the real-time factors for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs)
        {
            const auto factor = run.counters.find("realtime_x");
            if (!run.error_occurred && factor != run.counters.end())
                factors[run.run_name.str()] = factor->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // "RealTimeFactor/ZARG/32" against "RealTimeFactor/baseline/32".
    void printRatios() const
    {
        for (const auto& [name, factor] : factors)
        {
            const auto at = name.find("/ZARG/");
            if (at == std::string::npos)
                continue;
            std::string other = name;
            other.replace(at, 6, "/baseline/");
            const auto baseline = factors.find(other);
            if (baseline != factors.end())
                std::printf("%s real-time factor / baseline: %.3f (above 1: faster)\n",
                            name.c_str(), factor / baseline->second);
        }
    }

private:
    std::map<std::string, double> factors;
};

void registerFor(const std::string& label, const char* bundle)
{
    benchmark::RegisterBenchmark(("RealTimeFactor/" + label).c_str(), BM_RealTimeFactor, bundle)
        ->Arg(32)
        ->Arg(256)
        ->Arg(1024)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("AutomationWorstBlock/" + label).c_str(), BM_AutomationWorstBlock,
                                 bundle)
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(3000);
    benchmark::RegisterBenchmark(("PresetLoadOnAudioThread/" + label).c_str(),
                                 BM_PresetLoadOnAudioThread, bundle)
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(400);
}
} // namespace

// --baseline=PATH: also measure the bundle at PATH (e.g. one built from another revision).
int main(int argc, char** argv)
{
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    CPU_SET(sched_getcpu(), &cpus);
    sched_setaffinity(0, sizeof(cpus), &cpus);

    std::string baseline;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg.rfind("--baseline=", 0) == 0)
            baseline = arg.substr(11);
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    registerFor("ZARG", ZARG_BUNDLE);
    if (!baseline.empty())
        registerFor("baseline", baseline.c_str());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
