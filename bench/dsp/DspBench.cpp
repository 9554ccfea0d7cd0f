// Engine costs on one core: one filter in steady state, one design per network class, and
// the ten filters of a stereo chain over 10 s of 48 kHz audio three ways: the engine run
// stage by stage over stretches as the plug-in runs it, the engine as it was before it lost
// its delay (frame by frame, as the plug-in ran it then), and zita-convolver running the
// same ten 2048-tap responses at a 64-sample partition (which adds 64 samples of latency).
#include "BlockDelayConvolver.h"
#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CQuorzel.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CVolumeNetworkFIR.h"

#include <benchmark/benchmark.h>
#include <zita-convolver.h>

#include <sched.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr int kRate = 48000;
constexpr int kFrames = 10 * kRate;
constexpr CCircuitFIR::Config kConfig = CQuorzel::kFilterConfig;
constexpr int kBlock = kConfig.blockSize;
constexpr int kStages = 5;

std::vector<double> noise(std::size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> distribution(-0.5, 0.5);
    std::vector<double> v(count);
    for (auto& x : v)
        x = distribution(generator);
    return v;
}

// One channel of the pedal's five networks, designed as a preset would leave them.
struct Chain
{
    CInputNetworkFIR input{kConfig, kRate};
    CGainNetworkFIR gain{kConfig, kRate};
    CInterstageNetworkFIR interstage{kConfig, kRate};
    CToneStackFIR tone{kConfig, kRate};
    CVolumeNetworkFIR volume{kConfig, kRate};

    Chain()
    {
        input.designModel(0, 0, kRate);
        gain.designModel(3, 0, 0, 0.8, kRate);
        interstage.designModel(0, 0, kRate);
        tone.designModel(6, 0, 0.5, 1.0, kRate);
        volume.designModel(0, 0, 0.7, kRate);
        for (CCircuitFIR* f : stages())
        {
            f->setDecay(0.0, kRate);
            f->setGain(1.0);
        }
    }
    std::vector<CCircuitFIR*> stages() { return {&input, &gain, &interstage, &tone, &volume}; }

    // count samples of x, filtered in place one stage after the other.
    void process(double* x, int count)
    {
        for (CCircuitFIR* f : stages())
            f->process(x, x, count);
    }
};

// The same five responses on the engine as it was, frame by frame.
struct BaselineChain
{
    BaselineChain()
    {
        Chain designs;
        const auto sources = designs.stages();
        for (std::size_t i = 0; i < stages.size(); ++i)
        {
            stages[i] = std::make_unique<BlockDelayConvolver>(
                kConfig.designLength, kConfig.convolutionLength, kConfig.blockSize);
            stages[i]->setTaps(sources[i]->getTaps());
        }
    }

    double process(double x)
    {
        for (auto& stage : stages)
        {
            stage->processSample(x);
            x = stage->getOutput();
        }
        return x;
    }

    std::array<std::unique_ptr<BlockDelayConvolver>, kStages> stages;
};

void SteadyState(benchmark::State& state)
{
    CToneStackFIR filter(kConfig, kRate);
    filter.setDecay(0.0, kRate);
    // A host-sized stretch of input that stays in cache, as a chain stage sees it.
    const auto in = noise(1 << 13, 1);
    std::vector<double> out(in.size());
    for (auto _ : state)
    {
        filter.process(in.data(), out.data(), static_cast<int>(in.size()));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["ns/sample"] = benchmark::Counter(static_cast<double>(in.size()) * 1e-9,
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(SteadyState)->Unit(benchmark::kMicrosecond);

template <class Design>
void DesignOne(benchmark::State& state, Design design)
{
    int variant = 0;
    for (auto _ : state)
    {
        design(variant);
        variant = (variant + 1) % 16;
    }
}

void DesignInput(benchmark::State& state)
{
    CInputNetworkFIR f(kConfig, kRate);
    DesignOne(state, [&](int v) { f.designModel(v, v & 1, kRate); });
}
void DesignGain(benchmark::State& state)
{
    CGainNetworkFIR f(kConfig, kRate);
    DesignOne(state, [&](int v) { f.designModel(v, 0, v & 1, 0.05 + 0.05 * v, kRate); });
}
void DesignInterstage(benchmark::State& state)
{
    CInterstageNetworkFIR f(kConfig, kRate);
    DesignOne(state, [&](int v) { f.designModel(v, v & 1, kRate); });
}
void DesignToneStack(benchmark::State& state)
{
    CToneStackFIR f(kConfig, kRate);
    DesignOne(state, [&](int v) { f.designModel(v + 4 * (v & 1), 0, 0.5, 1.0 + 0.1 * v, kRate); });
}
void DesignVolume(benchmark::State& state)
{
    CVolumeNetworkFIR f(kConfig, kRate);
    DesignOne(state, [&](int v) { f.designModel(v, 0, 0.1 * (v + 1), kRate); });
}
BENCHMARK(DesignInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(DesignGain)->Unit(benchmark::kMicrosecond);
BENCHMARK(DesignInterstage)->Unit(benchmark::kMicrosecond);
BENCHMARK(DesignToneStack)->Unit(benchmark::kMicrosecond);
BENCHMARK(DesignVolume)->Unit(benchmark::kMicrosecond);

void perSampleFilterCounter(benchmark::State& state)
{
    state.counters["ns/sample/filter"] = benchmark::Counter(
        2.0 * kFrames * kStages * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Stage by stage over stretches of the given length, as the plug-in runs its chain within
// a host block of that length.
void StereoChain(benchmark::State& state)
{
    const auto stretch = static_cast<int>(state.range(0));
    Chain left, right;
    const auto inL = noise(kFrames, 2);
    const auto inR = noise(kFrames, 3);
    std::vector<double> bufL(static_cast<std::size_t>(stretch));
    std::vector<double> bufR(static_cast<std::size_t>(stretch));
    for (auto _ : state)
    {
        double sum = 0.0;
        for (int n = 0; n + stretch <= kFrames; n += stretch)
        {
            std::copy_n(inL.begin() + n, stretch, bufL.begin());
            std::copy_n(inR.begin() + n, stretch, bufR.begin());
            left.process(bufL.data(), stretch);
            right.process(bufR.data(), stretch);
            sum += bufL[0] + bufR[0];
        }
        benchmark::DoNotOptimize(sum);
    }
    perSampleFilterCounter(state);
}
BENCHMARK(StereoChain)->Arg(32)->Arg(256)->Unit(benchmark::kMillisecond);

void BaselineStereoChain(benchmark::State& state)
{
    BaselineChain left, right;
    const auto inL = noise(kFrames, 2);
    const auto inR = noise(kFrames, 3);
    for (auto _ : state)
    {
        double sum = 0.0;
        for (int n = 0; n < kFrames; ++n)
        {
            sum += left.process(inL[static_cast<std::size_t>(n)]);
            sum += right.process(inR[static_cast<std::size_t>(n)]);
        }
        benchmark::DoNotOptimize(sum);
    }
    perSampleFilterCounter(state);
}
BENCHMARK(BaselineStereoChain)->Unit(benchmark::kMillisecond);

// The same ten responses, one 1-in/1-out convolver each, chained block by block. With the
// smallest partition equal to the quantum, zita-convolver runs in the calling thread.
void ZitaStereoChain(benchmark::State& state)
{
    Chain designs;
    std::vector<std::unique_ptr<Convproc>> convolvers;
    for (int channel = 0; channel < 2; ++channel)
        for (CCircuitFIR* f : designs.stages())
        {
            auto conv = std::make_unique<Convproc>();
            // The library's vectorised multiply-accumulate, as a user after speed would set.
            conv->set_options(Convproc::OPT_VECTOR_MODE);
            if (conv->configure(1, 1, 2048, kBlock, kBlock, kBlock, 0.0f) != 0)
            {
                state.SkipWithError("zita-convolver configure failed");
                return;
            }
            std::vector<float> ir(f->getTaps().begin(), f->getTaps().begin() + 2048);
            conv->impdata_create(0, 0, 1, ir.data(), 0, 2048);
            if (conv->start_process(0, SCHED_OTHER) != 0)
            {
                state.SkipWithError("zita-convolver start failed");
                return;
            }
            convolvers.push_back(std::move(conv));
        }
    const auto inL = noise(kFrames, 2);
    const auto inR = noise(kFrames, 3);
    const std::vector<double>* inputs[2] = {&inL, &inR};
    for (auto _ : state)
    {
        double sum = 0.0;
        for (int start = 0; start + kBlock <= kFrames; start += kBlock)
        {
            for (int channel = 0; channel < 2; ++channel)
            {
                float* in = convolvers[static_cast<std::size_t>(channel * kStages)]->inpdata(0);
                for (int i = 0; i < kBlock; ++i)
                    in[i] =
                        static_cast<float>((*inputs[channel])[static_cast<std::size_t>(start + i)]);
                for (int k = 0; k < kStages; ++k)
                {
                    Convproc& conv = *convolvers[static_cast<std::size_t>(channel * kStages + k)];
                    conv.process(true);
                    if (k + 1 < kStages)
                    {
                        float* next =
                            convolvers[static_cast<std::size_t>(channel * kStages + k + 1)]
                                ->inpdata(0);
                        const float* out = conv.outdata(0);
                        for (int i = 0; i < kBlock; ++i)
                            next[i] = out[i];
                    }
                    else
                        sum += static_cast<double>(conv.outdata(0)[0]);
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    for (auto& conv : convolvers)
    {
        conv->stop_process();
        conv->cleanup();
    }
    perSampleFilterCounter(state);
}
BENCHMARK(ZitaStereoChain)->Unit(benchmark::kMillisecond);

// Passes every run to the console and keeps the two chain timings for the ratio. CPU time:
// the process is pinned to one core and both chains run in this thread, so it is the
// one-core cost without the time other processes on a shared machine take.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs)
        {
            // The mean when repetitions are aggregated, else the single run.
            if (run.error_occurred ||
                (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean"))
                continue;
            const std::string name = run.run_name.str();
            if (name.rfind("StereoChain", 0) == 0 || name.rfind("BaselineStereoChain", 0) == 0 ||
                name.rfind("ZitaStereoChain", 0) == 0)
                times[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const
    {
        const auto baseline = times.find("BaselineStereoChain");
        const auto zita = times.find("ZitaStereoChain");
        for (const auto& [name, time] : times)
        {
            if (name.rfind("StereoChain/", 0) != 0)
                continue;
            if (baseline != times.end())
                std::printf("%s / BaselineStereoChain CPU time ratio: %.3f\n", name.c_str(),
                            time / baseline->second);
            if (zita != times.end())
                std::printf("%s / ZitaStereoChain CPU time ratio: %.3f\n", name.c_str(),
                            time / zita->second);
        }
    }

private:
    std::map<std::string, double> times;
};
} // namespace

int main(int argc, char** argv)
{
    // One core: threads started later inherit the mask.
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    CPU_SET(sched_getcpu(), &cpus);
    sched_setaffinity(0, sizeof(cpus), &cpus);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Below 1: the engine takes less CPU time than the other on the same job.
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
