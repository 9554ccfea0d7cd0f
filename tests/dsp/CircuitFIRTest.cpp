#include "DspTestUtil.h"
#include "LiteralCircuitFIR.h"
#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CVolumeNetworkFIR.h"
#include "dsp/ConvolutionKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr int kRate = 48000;
constexpr CCircuitFIR::Config kConfig{
    .designLength = 2048, .convolutionLength = 2048, .blockSize = 64, .tapOffset = 0};

std::vector<double> run(CCircuitFIR& filter, const std::vector<double>& input)
{
    std::vector<double> output;
    output.reserve(input.size());
    for (double x : input)
    {
        filter.processSample(x);
        output.push_back(filter.getOutput());
    }
    return output;
}

TEST(CircuitFIR, FreshFilterIsSilentUntilSetDecay)
{
    CToneStackFIR filter(kConfig, kRate);
    const auto input = dsptest::randomSignal(5000, 1);
    for (double y : run(filter, input))
        ASSERT_EQ(y, 0.0);
    filter.designModel(3, 0, 0.5, 1.0, kRate); // designs alone do not bring the taps to life
    for (double y : run(filter, input))
        ASSERT_EQ(y, 0.0);

    filter.setDecay(0.0, kRate);
    double energy = 0.0;
    for (double y : run(filter, input))
        energy += y * y;
    EXPECT_GT(energy, 1.0);
}

TEST(CircuitFIR, OutputIsExactlyZeroSoonAfterTheInputStops)
{
    for (int stop : {3000, 3001, 3071, 3072})
    {
        CGainNetworkFIR filter(kConfig, kRate);
        filter.setDecay(0.0, kRate);
        auto input = dsptest::randomSignal(static_cast<std::size_t>(stop) + 6000, 2);
        for (std::size_t i = static_cast<std::size_t>(stop); i < input.size(); ++i)
            input[i] = 0.0;
        const auto output = run(filter, input);
        const int last = stop - 1;
        EXPECT_NE(output[static_cast<std::size_t>(last + 500)], 0.0);
        // The response spans 16 blocks; the block holding the last sample and the one
        // after it carry it into the transforms.
        for (std::size_t n = static_cast<std::size_t>(last + 17 * 64); n < output.size(); ++n)
            ASSERT_EQ(output[n], 0.0) << "stop " << stop << " n " << n;
    }
}

// Both engines driven the same way: designs, gain and decay changes land in the middle
// of blocks while a random signal runs.
struct OracleCase
{
    std::string name;
    int fs, N, L, B, d;
    std::function<std::shared_ptr<CCircuitFIR>(int fs, int N, int L, int B, int d)> make;
    // Designs variant v on the filter and returns the coefficients and scale it used.
    std::function<void(CCircuitFIR&, int v, CCircuitFIR::Coefficients&, double&)> design;
};

template <class Filter, class Design>
OracleCase makeCase(std::string name, int fs, int N, int L, int B, int d, Design design)
{
    return {name,
            fs,
            N,
            L,
            B,
            d,
            [](int rate, int n, int l, int b, int off) -> std::shared_ptr<CCircuitFIR> {
                return std::make_shared<Filter>(CCircuitFIR::Config{n, l, b, off}, rate);
            },
            [design, fs](CCircuitFIR& f, int v, CCircuitFIR::Coefficients& c, double& scale)
            { design(static_cast<Filter&>(f), v, fs, c, scale); }};
}

std::vector<OracleCase> oracleCases()
{
    // Three variants each: v = 0, 1, 2.
    auto input = [](CInputNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = std::array{0, 13, 6}[static_cast<std::size_t>(v)];
        f.designModel(model, v, fs);
        c = CInputNetworkFIR::coefficients(model, v);
        s = CInputNetworkFIR::kScale;
    };
    auto interstage =
        [](CInterstageNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = std::array{1, 9, 4}[static_cast<std::size_t>(v)];
        f.designModel(model, 0, fs);
        c = CInterstageNetworkFIR::coefficients(model, 0);
        s = CInterstageNetworkFIR::kScale;
    };
    auto gain = [](CGainNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = std::array{0, 16, 7}[static_cast<std::size_t>(v)];
        const double e = std::array{1.0, 0.3, 0.6}[static_cast<std::size_t>(v)];
        f.designModel(model, 1, v & 1, e, fs);
        c = CGainNetworkFIR::coefficients(model, 1, v & 1, e);
        s = CGainNetworkFIR::kScale;
    };
    auto tone = [](CToneStackFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int type = std::array{0, 18, 7}[static_cast<std::size_t>(v)];
        f.designModel(type, 0, 0.7, 2.5, fs);
        c = CToneStackFIR::coefficients(type, 0, 0.7, 2.5);
        s = CToneStackFIR::scale(type);
    };
    auto volume = [](CVolumeNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = std::array{0, 11, 5}[static_cast<std::size_t>(v)];
        const double x = std::array{1.0, 2.0, 0.5}[static_cast<std::size_t>(v)];
        f.designModel(model, 0, x, fs);
        c = CVolumeNetworkFIR::coefficients(model, 0, x);
        s = CVolumeNetworkFIR::kScale;
    };
    return {
        makeCase<CInputNetworkFIR>("input", 48000, 2048, 2048, 64, 0, input),
        makeCase<CInterstageNetworkFIR>("interstage", 44100, 2048, 2048, 64, 0, interstage),
        makeCase<CGainNetworkFIR>("gain", 96000, 2048, 2048, 64, 0, gain),
        makeCase<CToneStackFIR>("tone", 192000, 2048, 2048, 64, 0, tone),
        makeCase<CVolumeNetworkFIR>("volume", 22050, 2048, 2048, 64, 0, volume),
        // Other geometries: a partition straddling the always-zero half, a smaller block.
        makeCase<CToneStackFIR>("tone d=1000", 48000, 4096, 2048, 64, 1000, tone),
        makeCase<CGainNetworkFIR>("gain B=32", 48000, 2048, 1024, 32, 64, gain),
    };
}

// The literal engine, run on the same input, with the taps one design variant gives; its
// output is delayed by 2B - 1 samples.
struct Reference
{
    Reference(const OracleCase& c, int variant, const std::vector<double>& input)
    {
        const auto fast = c.make(c.fs, c.N, c.L, c.B, c.d);
        CCircuitFIR::Coefficients coefficients;
        double scale = 0.0;
        c.design(*fast, variant, coefficients, scale);
        LiteralCircuitFIR literal(c.N, c.L, c.B, c.d);
        literal.design(coefficients, scale, c.fs);
        literal.setDecay(0.0, c.fs);
        // Run on past the input's end by the delay.
        delay = 2 * c.B - 1;
        for (std::size_t n = 0; n < input.size() + static_cast<std::size_t>(delay); ++n)
        {
            literal.processSample(n < input.size() ? input[n] : 0.0);
            output.push_back(literal.getOutput());
        }
    }
    // What the engine without delay gives at sample n.
    double at(std::size_t n) const { return output[n + static_cast<std::size_t>(delay)]; }
    std::vector<double> output;
    int delay = 0;
};

// The blend weight of the new response k samples into a fade of `length` samples.
double fadeWeight(int k, int length)
{
    return k >= length ? 1.0 : 0.5 - 0.5 * std::cos(M_PI * k / length);
}

// Every network class and geometry: the impulse response is the taps themselves from
// sample 0 on, the first block of taps exactly, the rest to rounding, and exactly zero
// once the taps and the transforms' last block are past.
TEST(CircuitFIR, ImpulseReturnsTheTapsWithoutDelay)
{
    for (const auto& c : oracleCases())
    {
        SCOPED_TRACE(c.name);
        const auto filter = c.make(c.fs, c.N, c.L, c.B, c.d);
        CCircuitFIR::Coefficients unused;
        double scale = 0.0;
        c.design(*filter, 1, unused, scale);
        filter->setDecay(0.0, c.fs);
        const auto& taps = filter->getTaps();
        const int end = c.N / 2; // taps from here on are zero
        std::vector<double> input(static_cast<std::size_t>(c.N + 2 * c.B), 0.0);
        input[0] = 1.0;
        const auto output = run(*filter, input);
        for (int n = 0; n < static_cast<int>(output.size()); ++n)
        {
            const int m = n + c.d;
            const double expected = n < c.L ? taps[static_cast<std::size_t>(m)] : 0.0;
            const double y = output[static_cast<std::size_t>(n)];
            if (n < c.B || m >= end + 2 * c.B)
            {
                ASSERT_EQ(y, expected) << n;
            }
            ASSERT_NEAR(y, expected, 1e-13) << n;
        }
    }
}

// With fixed taps the output is the literal engine's, advanced by its 2B - 1 samples. A
// new design fades in over L samples; a design in the middle of a fade starts a new fade
// from the mix of that moment. Cut into stretches of any length, the input gives the
// same bits.
TEST(CircuitFIR, MatchesTheLiteralEngineAdvancedAndBlendsNewDesigns)
{
    for (const auto& c : oracleCases())
    {
        SCOPED_TRACE(c.name);
        const auto input = dsptest::randomSignal(static_cast<std::size_t>(4 * c.L + 3000), 3);
        const Reference first(c, 0, input), second(c, 1, input), third(c, 2, input);
        const std::size_t change = static_cast<std::size_t>(c.L + 37); // mid-block
        const std::size_t again = change + static_cast<std::size_t>(c.L / 3);

        const auto single = c.make(c.fs, c.N, c.L, c.B, c.d);
        const auto stretched = c.make(c.fs, c.N, c.L, c.B, c.d);
        CCircuitFIR::Coefficients unused;
        double scale = 0.0;
        for (const auto& f : {single, stretched})
        {
            c.design(*f, 0, unused, scale);
            f->setDecay(0.0, c.fs);
        }

        std::vector<double> out(input.size());
        std::mt19937 lengths(5);
        double worst = 0.0;
        double frozen = 0.0;
        for (std::size_t n = 0; n < input.size();)
        {
            // Stretches end where a design lands.
            std::size_t end = std::min(input.size(), n + 1 + lengths() % 300);
            for (std::size_t at : {change, again})
                if (n < at && end > at)
                    end = at;
            for (const std::size_t at : {change, again})
                if (n == at)
                    for (const auto& f : {single, stretched})
                        c.design(*f, at == change ? 1 : 2, unused, scale);
            stretched->process(input.data() + n, out.data() + n, static_cast<int>(end - n));
            for (; n < end; ++n)
            {
                single->processSample(input[n]);
                ASSERT_EQ(single->getOutput(), out[n]) << n;
                double expected = first.at(n);
                if (n >= change && n < again)
                {
                    const double w = fadeWeight(static_cast<int>(n - change), c.L);
                    expected = (1.0 - w) * first.at(n) + w * second.at(n);
                }
                else if (n >= again)
                {
                    if (n == again)
                        frozen = fadeWeight(static_cast<int>(again - change), c.L);
                    const double mix = (1.0 - frozen) * first.at(n) + frozen * second.at(n);
                    const double w = fadeWeight(static_cast<int>(n - again), c.L);
                    expected = (1.0 - w) * mix + w * third.at(n);
                }
                worst = std::max(worst, std::fabs(out[n] - expected));
            }
        }
        EXPECT_LT(worst, 1e-12);
        EXPECT_GT(std::fabs(first.at(change) - second.at(change)), 1e-3);
    }
}

// The plain code and each vector path this processor runs round alike: a signal with
// designs landing mid-block, cut into random stretches, gives the same bits on each.
TEST(CircuitFIR, EveryKernelPathGivesTheSameBits)
{
    using ConvolutionKernels::Path;
    // Back on the best path however the test ends.
    struct BestPathAfter
    {
        ~BestPathAfter() { ConvolutionKernels::usePath(ConvolutionKernels::bestPath()); }
    } restore;
    const auto render = [](const OracleCase& c, const std::vector<double>& input)
    {
        const auto filter = c.make(c.fs, c.N, c.L, c.B, c.d);
        CCircuitFIR::Coefficients unused;
        double scale = 0.0;
        c.design(*filter, 0, unused, scale);
        filter->setDecay(0.0, c.fs);
        std::vector<double> out(input.size());
        std::mt19937 lengths(7);
        const std::size_t change = static_cast<std::size_t>(c.L + 37);
        for (std::size_t n = 0; n < input.size();)
        {
            std::size_t end = std::min(input.size(), n + 1 + lengths() % 300);
            if (n < change && end > change)
                end = change;
            if (n == change)
                c.design(*filter, 1, unused, scale);
            filter->process(input.data() + n, out.data() + n, static_cast<int>(end - n));
            n = end;
        }
        return out;
    };
    for (const auto& c : oracleCases())
    {
        SCOPED_TRACE(c.name);
        const auto input = dsptest::randomSignal(static_cast<std::size_t>(3 * c.L), 8);
        ConvolutionKernels::usePath(Path::Plain);
        const auto plain = render(c, input);
        for (Path path : {Path::Avx2, Path::Avx512})
        {
            if (!ConvolutionKernels::supported(path))
                continue;
            SCOPED_TRACE(static_cast<int>(path));
            ConvolutionKernels::usePath(path);
            const auto vector = render(c, input);
            for (std::size_t n = 0; n < input.size(); ++n)
                ASSERT_EQ(vector[n], plain[n]) << n;
        }
    }
}

// After a response length of silence nothing of the old taps can sound: a design takes
// over at once, so a preset chosen before playing sounds right from the first sample.
TEST(CircuitFIR, DesignAfterSilenceTakesOverAtOnce)
{
    const auto c = oracleCases()[0];
    auto input = dsptest::randomSignal(6000, 6);
    const int quiet = 1088; // 16 blocks of taps and one more
    for (const int silence : {quiet, quiet - 1})
    {
        SCOPED_TRACE(silence);
        std::fill(input.begin() + 1000, input.begin() + 1000 + silence, 0.0);
        const Reference second(c, 1, input);
        const auto f = c.make(c.fs, c.N, c.L, c.B, c.d);
        CCircuitFIR::Coefficients unused;
        double scale = 0.0;
        c.design(*f, 0, unused, scale);
        f->setDecay(0.0, c.fs);
        const std::size_t change = 1000 + static_cast<std::size_t>(silence);
        double worst = 0.0;
        for (std::size_t n = 0; n < input.size(); ++n)
        {
            if (n == change)
                c.design(*f, 1, unused, scale);
            f->processSample(input[n]);
            if (n >= change)
                worst = std::max(worst, std::fabs(f->getOutput() - second.at(n)));
        }
        if (silence == quiet)
            EXPECT_LT(worst, 1e-12);
        else
            EXPECT_GT(worst, 1e-6); // still fading from the old taps
    }
}

TEST(CircuitFIR, OutOfRangeModelsLeaveTheResponseUnchanged)
{
    CInputNetworkFIR input(kConfig, kRate);
    CInterstageNetworkFIR interstage(kConfig, kRate);
    CGainNetworkFIR gain(kConfig, kRate);
    CToneStackFIR tone(kConfig, kRate);
    CVolumeNetworkFIR volume(kConfig, kRate);
    struct Case
    {
        CCircuitFIR* filter;
        std::function<void(int)> design;
        std::vector<int> outside;
    };
    const Case cases[] = {
        {&input, [&](int m) { input.designModel(m, 0, kRate); }, {17, -1, 1000}},
        {&interstage, [&](int m) { interstage.designModel(m, 1, kRate); }, {17, -1}},
        {&gain, [&](int m) { gain.designModel(m, 0, 1, 0.4, kRate); }, {17, -1}},
        {&tone, [&](int m) { tone.designModel(m, 0, 0.3, 2.0, kRate); }, {20, -1}},
        {&volume, [&](int m) { volume.designModel(m, 1, 0.5, kRate); }, {17, -1}},
    };
    for (const auto& c : cases)
    {
        c.filter->setDecay(0.0, kRate);
        c.design(5);
        const auto before = c.filter->getTaps();
        for (int model : c.outside)
        {
            c.design(model);
            EXPECT_EQ(c.filter->getTaps(), before) << model;
        }
        // The taps are still recomputed: a gain change shows through an ignored design.
        c.filter->setGain(0.5);
        c.design(c.outside[0]);
        EXPECT_EQ(c.filter->getTaps()[100], 0.5 * before[100]);
        c.filter->setGain(1.0);
    }
}
} // namespace
