#include "DspTestUtil.h"
#include "LiteralCircuitFIR.h"
#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CVolumeNetworkFIR.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kRate = 48000;
constexpr CCircuitFIR::Config kConfig{
    .designLength = 2048, .convolutionLength = 2048, .blockSize = 64, .tapOffset = 0};
constexpr int kDelay = 2 * kConfig.blockSize - 1;

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

// The impulse response is the taps delayed by 2B - 1 samples, also when the design
// grid follows another sample rate.
TEST(CircuitFIR, ImpulseReturnsTheTapsDelayed)
{
    for (int fs : {48000, 96000, 22050})
    {
        CVolumeNetworkFIR filter(kConfig, fs);
        filter.designModel(9, 1, 1.3, fs);
        filter.setDecay(0.0, fs);
        filter.setGain(1.0);
        const auto& taps = filter.getTaps();
        for (std::size_t i = 1024; i < taps.size(); ++i)
            ASSERT_EQ(taps[i], 0.0) << i;

        std::vector<double> input(4000, 0.0);
        input[0] = 1.0;
        const auto output = run(filter, input);
        for (int n = 0; n < static_cast<int>(output.size()); ++n)
        {
            const int m = n - kDelay;
            const double expected = m >= 0 && m < 2048 ? taps[static_cast<std::size_t>(m)] : 0.0;
            ASSERT_NEAR(output[static_cast<std::size_t>(n)], expected, 1e-13)
                << "fs " << fs << " n " << n;
            if (n < kDelay || m >= 1024 + 64)
            {
                ASSERT_EQ(output[static_cast<std::size_t>(n)], 0.0) << n;
            }
        }
    }
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
        for (std::size_t n = static_cast<std::size_t>(last + 2240); n < output.size(); ++n)
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
    auto input = [](CInputNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = v == 0 ? 0 : 13;
        f.designModel(model, v, fs);
        c = CInputNetworkFIR::coefficients(model, v);
        s = CInputNetworkFIR::kScale;
    };
    auto interstage =
        [](CInterstageNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = v == 0 ? 1 : 9;
        f.designModel(model, 0, fs);
        c = CInterstageNetworkFIR::coefficients(model, 0);
        s = CInterstageNetworkFIR::kScale;
    };
    auto gain = [](CGainNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const double e = v == 0 ? 1.0 : 0.3;
        f.designModel(v == 0 ? 0 : 16, 1, v, e, fs);
        c = CGainNetworkFIR::coefficients(v == 0 ? 0 : 16, 1, v, e);
        s = CGainNetworkFIR::kScale;
    };
    auto tone = [](CToneStackFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int type = v == 0 ? 0 : 18;
        f.designModel(type, 0, 0.7, 2.5, fs);
        c = CToneStackFIR::coefficients(type, 0, 0.7, 2.5);
        s = CToneStackFIR::scale(type);
    };
    auto volume = [](CVolumeNetworkFIR& f, int v, int fs, CCircuitFIR::Coefficients& c, double& s)
    {
        const int model = v == 0 ? 0 : 11;
        f.designModel(model, 0, v == 0 ? 1.0 : 2.0, fs);
        c = CVolumeNetworkFIR::coefficients(model, 0, v == 0 ? 1.0 : 2.0);
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

TEST(CircuitFIR, MatchesTheLiteralEngineOverRandomSignalsAndChanges)
{
    for (const auto& c : oracleCases())
    {
        SCOPED_TRACE(c.name);
        const auto fast = c.make(c.fs, c.N, c.L, c.B, c.d);
        LiteralCircuitFIR literal(c.N, c.L, c.B, c.d);
        CCircuitFIR::Coefficients coefficients;
        double scale = 0.0;
        c.design(*fast, 0, coefficients, scale);
        literal.design(coefficients, scale, c.fs);
        fast->setDecay(0.0, c.fs);
        literal.setDecay(0.0, c.fs);

        const auto input = dsptest::randomSignal(static_cast<std::size_t>(4 * c.L + 3000), 3);
        double maxDifference = 0.0;
        double peak = 0.0;
        for (std::size_t n = 0; n < input.size(); ++n)
        {
            if (n == static_cast<std::size_t>(c.L + 37))
            {
                c.design(*fast, 1, coefficients, scale); // a model change mid-block
                literal.design(coefficients, scale, c.fs);
                for (std::size_t i = 0; i < fast->getTaps().size(); ++i)
                    ASSERT_NEAR(fast->getTaps()[i], literal.getTaps()[i], 1e-13) << i;
            }
            if (n == static_cast<std::size_t>(2 * c.L + c.B + 5)) // the other block parity
            {
                fast->setGain(0.6);
                literal.setGain(0.6);
            }
            if (n == static_cast<std::size_t>(3 * c.L + 50))
            {
                fast->setDecay(20.0, c.fs);
                literal.setDecay(20.0, c.fs);
            }
            fast->processSample(input[n]);
            literal.processSample(input[n]);
            maxDifference =
                std::max(maxDifference, std::fabs(fast->getOutput() - literal.getOutput()));
            peak = std::max(peak, std::fabs(literal.getOutput()));
        }
        EXPECT_LT(maxDifference, 1e-12);
        EXPECT_GT(peak, 1e-3);
    }
}

TEST(CircuitFIR, ModelChangeFadesInPartitionByPartitionWithoutAGap)
{
    const int B = kConfig.blockSize;
    const int P = kConfig.convolutionLength / B;
    // Changes in blocks of both parities: every other block computes two output spectra.
    for (const int change : {100 * B + 20, 101 * B + 63})
    {
        SCOPED_TRACE(change);
        CToneStackFIR changing(kConfig, kRate);
        CToneStackFIR oldOnly(kConfig, kRate);
        CToneStackFIR newOnly(kConfig, kRate);
        newOnly.designModel(19, 0, 0.5, 1.0, kRate);
        for (auto* f : {&changing, &oldOnly, &newOnly})
            f->setDecay(0.0, kRate);

        // The partition gathered in the block of the change is the first to show it, in the
        // output of the block after it.
        const int firstAffected = (change / B + 2) * B - 1;
        const auto input = dsptest::randomSignal(static_cast<std::size_t>(change + 50 * B), 4);
        int mixedBlocks = 0;
        double blockEnergy = 0.0;
        bool differsFromBoth = false;
        for (int n = 0; n < static_cast<int>(input.size()); ++n)
        {
            if (n == change)
                changing.designModel(19, 0, 0.5, 1.0, kRate);
            const double x = input[static_cast<std::size_t>(n)];
            changing.processSample(x);
            oldOnly.processSample(x);
            newOnly.processSample(x);
            if (n < firstAffected)
            {
                ASSERT_EQ(changing.getOutput(), oldOnly.getOutput()) << n;
            }
            else if (n >= change + (P + 2) * B)
            {
                ASSERT_NEAR(changing.getOutput(), newOnly.getOutput(), 1e-12) << n;
            }
            // In between, every block is a blend: neither response, never silent.
            if (n >= firstAffected && n < change + (P + 2) * B)
            {
                blockEnergy += changing.getOutput() * changing.getOutput();
                differsFromBoth = differsFromBoth ||
                                  (changing.getOutput() != oldOnly.getOutput() &&
                                   std::fabs(changing.getOutput() - newOnly.getOutput()) > 1e-9);
                // Output blocks run from sample kB - 1 to kB + B - 2.
                if ((n + 2) % B == 0)
                {
                    EXPECT_GT(blockEnergy / B, 1e-3) << "silent block ending at " << n;
                    mixedBlocks += differsFromBoth ? 1 : 0;
                    blockEnergy = 0.0;
                    differsFromBoth = false;
                }
            }
        }
        EXPECT_GE(mixedBlocks, P / 2);
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
