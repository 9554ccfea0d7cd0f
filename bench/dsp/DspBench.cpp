// Engine costs on one core: one filter in steady state, one design per network class,
// the ten filters of a stereo chain over 10 s of 48 kHz audio, and zita-convolver running
// the same ten 2048-tap responses at a 64-sample partition.
#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CQuorzel.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CVolumeNetworkFIR.h"

#include <benchmark/benchmark.h>
#include <zita-convolver.h>

#include <sched.h>

#include <cstdio>
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

    double process(double x)
    {
        input.processSample(x);
        gain.processSample(input.getOutput());
        interstage.processSample(gain.getOutput());
        tone.processSample(interstage.getOutput());
        volume.processSample(tone.getOutput());
        return volume.getOutput();
    }
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
        for (std::size_t i = 0; i < in.size(); ++i)
        {
            filter.processSample(in[i]);
            out[i] = filter.getOutput();
        }
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

void StereoChain(benchmark::State& state)
{
    Chain left, right;
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
BENCHMARK(StereoChain)->Unit(benchmark::kMillisecond);

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
            const std::string name = run.benchmark_name();
            // The mean when repetitions are aggregated, else the single run.
            if (run.error_occurred ||
                (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean"))
                continue;
            if (name.rfind("StereoChain", 0) == 0)
                chain = run.GetAdjustedCPUTime();
            else if (name.rfind("ZitaStereoChain", 0) == 0)
                zita = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double chain = 0.0;
    double zita = 0.0;
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
    if (reporter.chain > 0.0 && reporter.zita > 0.0)
        std::printf("StereoChain / ZitaStereoChain CPU time ratio: %.3f (below 1: faster than "
                    "zita-convolver)\n",
                    reporter.chain / reporter.zita);
    benchmark::Shutdown();
    return 0;
}
