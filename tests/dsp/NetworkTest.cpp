#include "DspTestUtil.h"
#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CQuorzel.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CVolumeNetworkFIR.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr int kRate = 48000;

template <class Filter, class Design>
std::vector<double> finishedTaps(Design design)
{
    Filter filter(CQuorzel::kFilterConfig, kRate);
    design(filter);
    filter.setDecay(0.0, kRate);
    filter.setGain(1.0);
    return filter.getTaps();
}

struct MagnitudeCase
{
    std::string name;
    std::vector<double> taps;
    std::vector<std::pair<double, double>> points; // frequency, magnitude (4 digits)
};

TEST(Networks, FinishedFilterMagnitudesAt48k)
{
    const MagnitudeCase cases[] = {
        {"input model 0",
         finishedTaps<CInputNetworkFIR>([](auto& f) { f.designModel(0, 0, kRate); }),
         {{0, 0.1827},
          {100, 1.005},
          {1000, 1.028},
          {10000, 1.031},
          {20000, 1.030},
          {24000, 0.5167}}},
        {"inter-stage model 0",
         finishedTaps<CInterstageNetworkFIR>([](auto& f) { f.designModel(0, 0, kRate); }),
         {{0, 0.1635}, {100, 1.269}, {1000, 1.300}, {10000, 1.303}}},
        {"gain 1.0",
         finishedTaps<CGainNetworkFIR>([](auto& f) { f.designModel(0, 0, 0, 1.0, kRate); }),
         {{0, 0.06594}, {100, 1.216}, {1000, 1.302}, {10000, 1.303}}},
        {"gain 0.5",
         finishedTaps<CGainNetworkFIR>([](auto& f) { f.designModel(0, 0, 0, 0.5, kRate); }),
         {{0, 0.03829}, {100, 0.5209}, {1000, 0.5348}, {10000, 0.5351}}},
        {"tone stack 0",
         finishedTaps<CToneStackFIR>([](auto& f) { f.designModel(0, 0, 0.5, 1.0, kRate); }),
         {{0, 0.5609}, {100, 0.5678}, {1000, 0.3568}, {10000, 0.5000}}},
        {"tone stack 19",
         finishedTaps<CToneStackFIR>([](auto& f) { f.designModel(19, 0, 0.5, 1.0, kRate); }),
         {{0, 0.07048}, {100, 0.4452}, {1000, 0.4557}, {10000, 0.4567}}},
        {"volume model 0",
         finishedTaps<CVolumeNetworkFIR>([](auto& f) { f.designModel(0, 0, 1.0, kRate); }),
         {{0, 0.07084}, {100, 1.325}, {1000, 1.432}, {10000, 1.433}}},
    };
    for (const auto& c : cases)
    {
        for (const auto& [f, expected] : c.points)
        {
            // The figures carry four significant digits.
            const double unit = std::pow(10.0, std::floor(std::log10(expected)) - 3.0);
            EXPECT_NEAR(dsptest::magnitudeAt(c.taps, f, kRate), expected, 0.6 * unit)
                << c.name << " at " << f << " Hz";
        }
    }
}

// The constructors design their class's first model.
TEST(Networks, ConstructorsDesignTheFirstModel)
{
    auto constructed = [](auto& f)
    {
        f.setDecay(0.0, kRate);
        return f.getTaps();
    };
    CInputNetworkFIR input(CQuorzel::kFilterConfig, kRate);
    CInterstageNetworkFIR interstage(CQuorzel::kFilterConfig, kRate);
    CGainNetworkFIR gain(CQuorzel::kFilterConfig, kRate);
    CToneStackFIR tone(CQuorzel::kFilterConfig, kRate);
    CVolumeNetworkFIR volume(CQuorzel::kFilterConfig, kRate);
    auto near = [](const std::vector<double>& a, const std::vector<double>& b)
    {
        double worst = 0.0;
        for (std::size_t i = 0; i < a.size(); ++i)
            worst = std::max(worst, std::fabs(a[i] - b[i]));
        return worst;
    };
    EXPECT_LT(near(constructed(input),
                   finishedTaps<CInputNetworkFIR>([](auto& f) { f.designModel(0, 0, kRate); })),
              1e-15);
    EXPECT_LT(near(constructed(interstage), finishedTaps<CInterstageNetworkFIR>(
                                                [](auto& f) { f.designModel(0, 0, kRate); })),
              1e-15);
    EXPECT_EQ(constructed(gain), finishedTaps<CGainNetworkFIR>([](auto&) {}));
    EXPECT_EQ(constructed(tone), finishedTaps<CToneStackFIR>([](auto&) {}));
    EXPECT_EQ(constructed(volume), finishedTaps<CVolumeNetworkFIR>([](auto&) {}));
    EXPECT_EQ(constructed(tone),
              finishedTaps<CToneStackFIR>([](auto& f) { f.designModel(0, 0, 0.5, 1.0, kRate); }));
}

TEST(Networks, SwitchesAndControlsActAsDescribed)
{
    // Guitar type 2 counts as GUITAR.
    EXPECT_EQ(finishedTaps<CInputNetworkFIR>([](auto& f) { f.designModel(4, 2, kRate); }),
              finishedTaps<CInputNetworkFIR>([](auto& f) { f.designModel(4, 0, kRate); }));
    EXPECT_EQ(finishedTaps<CGainNetworkFIR>([](auto& f) { f.designModel(3, 5, 7, 0.4, kRate); }),
              finishedTaps<CGainNetworkFIR>([](auto& f) { f.designModel(3, 0, 0, 0.4, kRate); }));
    // Doubling the Volume doubles every tap exactly.
    const auto once =
        finishedTaps<CVolumeNetworkFIR>([](auto& f) { f.designModel(12, 1, 0.7, kRate); });
    const auto twice =
        finishedTaps<CVolumeNetworkFIR>([](auto& f) { f.designModel(12, 1, 1.4, kRate); });
    for (std::size_t i = 0; i < once.size(); ++i)
        ASSERT_EQ(twice[i], 2.0 * once[i]) << i;
    // The bypass type ignores Mids and SlopeShift.
    EXPECT_EQ(finishedTaps<CToneStackFIR>([](auto& f) { f.designModel(19, 0, 0.01, 4.0, kRate); }),
              finishedTaps<CToneStackFIR>([](auto& f) { f.designModel(19, 0, 1.0, 0.25, kRate); }));
    // BASS moves the input network's corner an octave down: more level at 5 Hz.
    const auto guitar = finishedTaps<CInputNetworkFIR>([](auto& f) { f.designModel(0, 0, kRate); });
    const auto bass = finishedTaps<CInputNetworkFIR>([](auto& f) { f.designModel(0, 1, kRate); });
    EXPECT_GT(dsptest::magnitudeAt(bass, 5.0, kRate),
              1.3 * dsptest::magnitudeAt(guitar, 5.0, kRate));
}

TEST(Networks, CoefficientFormulas)
{
    using C = CCircuitFIR::Coefficients;
    struct Fact
    {
        std::string what;
        double actual, expected;
    };
    const C volume16 = CVolumeNetworkFIR::coefficients(16, 0, 1.0);
    const C gain16 = CGainNetworkFIR::coefficients(16, 0, 0, 1.0);
    const C gainZero = CGainNetworkFIR::coefficients(0, 0, 0, 0.0);
    const C gain0 = CGainNetworkFIR::coefficients(0, 0, 0, 0.7);
    const C gain0LowCut = CGainNetworkFIR::coefficients(0, 0, 1, 0.7);
    const C input0 = CInputNetworkFIR::coefficients(0, 0);
    const C inter0Bass = CInterstageNetworkFIR::coefficients(0, 1);
    const C trebleGuitar = CToneStackFIR::coefficients(13, 0, 0.6, 1.0);
    const C trebleBass = CToneStackFIR::coefficients(13, 1, 0.6, 1.0);
    const C paraGuitar = CToneStackFIR::coefficients(18, 0, 0.6, 2.0);
    const C paraBass = CToneStackFIR::coefficients(18, 1, 0.6, 2.0);
    const C stackTop = CToneStackFIR::coefficients(6, 0, 1.0, 1.0);
    const C bypass = CToneStackFIR::coefficients(19, 0, 0.5, 1.0);
    const C symmetric = CToneStackFIR::coefficients(12, 0, 0.5, 1.0);
    const Fact facts[] = {
        {"volume 16 a1", volume16.a1, 0.26},
        {"volume 16 passband", volume16.b2 / volume16.a2, 1.0},
        {"gain 16 b2", gain16.b2, 100e-9 * 1e-6 * 100000.0 * 151000.0},
        {"gain 16 a2", gain16.a2, 100e-9 * 1e-6 * 108200.0 * 151000.0},
        {"gain 0 at e=1 level",
         CGainNetworkFIR::coefficients(0, 0, 0, 1.0).b2 /
             CGainNetworkFIR::coefficients(0, 0, 0, 1.0).a2,
         0.9090909},
        {"gain at e=0 level", gainZero.b2 / gainZero.a2, 1e8 / (1e8 + 110000.0 * 101000.0)},
        {"lowcut a1", gain0LowCut.a1, 0.1 * gain0.a1},
        {"lowcut a2", gain0LowCut.a2, 0.01 * gain0.a2},
        {"lowcut level", gain0LowCut.b2 / gain0LowCut.a2, gain0.b2 / gain0.a2},
        {"input 0 b1", input0.b1, 0.01},
        {"input 0 a1", input0.a1, 0.0139},
        {"inter-stage bass a1", inter0Bass.a1, 0.022},
        {"treble bass b2", trebleBass.b2, trebleGuitar.b2},
        {"treble bass a2", trebleBass.a2, trebleGuitar.a2},
        {"treble bass b1", trebleBass.b1, 2.0 * trebleGuitar.b1},
        {"treble bass a1", trebleBass.a1, 2.0 * trebleGuitar.a1},
        {"para-mid bass b3", paraBass.b3, paraGuitar.b3},
        {"para-mid bass a3", paraBass.a3, paraGuitar.a3},
        {"para-mid b0", paraGuitar.b0, -1.0},
        {"stack e=1 b0", stackTop.b0, 22000.0},
        {"stack a0", stackTop.a0, 39000.0 + 22000.0 + 100000.0 + 1000.0},
        {"bypass level", bypass.b1 / bypass.a1, 100000.0 / 251000.0},
        {"bypass corner Hz", bypass.a0 / bypass.a1 / (2.0 * M_PI),
         2.0 / (2.0 * M_PI * 251000.0 * 100e-9)},
        {"symmetric a0", symmetric.a0, 470000.0 + 1e6 + 470000.0 + 1000.0},
    };
    for (const auto& f : facts)
        EXPECT_NEAR(f.actual, f.expected, 1e-7 * std::fabs(f.expected)) << f.what;
    EXPECT_NE(paraBass.b1, paraGuitar.b1);
    EXPECT_EQ(CToneStackFIR::scale(0), 1.4);
    EXPECT_EQ(CToneStackFIR::scale(9), 1.0);
    EXPECT_EQ(CToneStackFIR::scale(16), 0.75);
    EXPECT_EQ(CToneStackFIR::scale(19), 1.4);
}

// Every model and switch setting at every supported rate gives finite taps whose absolute
// sum (a bound on the gain for any input) stays moderate.
TEST(Networks, EveryDesignIsFiniteAndBounded)
{
    CInputNetworkFIR input(CQuorzel::kFilterConfig, kRate);
    CInterstageNetworkFIR interstage(CQuorzel::kFilterConfig, kRate);
    CGainNetworkFIR gain(CQuorzel::kFilterConfig, kRate);
    CToneStackFIR tone(CQuorzel::kFilterConfig, kRate);
    CVolumeNetworkFIR volume(CQuorzel::kFilterConfig, kRate);
    for (CCircuitFIR* f :
         std::initializer_list<CCircuitFIR*>{&input, &interstage, &gain, &tone, &volume})
        f->setDecay(0.0, kRate);

    int designs = 0;
    double worstSum = 0.0;
    auto check = [&](const CCircuitFIR& f, const std::string& what)
    {
        ++designs;
        double sum = 0.0;
        double peak = 0.0;
        for (double t : f.getTaps())
        {
            ASSERT_TRUE(std::isfinite(t)) << what;
            sum += std::fabs(t);
            peak = std::max(peak, std::fabs(t));
        }
        worstSum = std::max(worstSum, sum);
        EXPECT_LT(sum, 10.0) << what;
        EXPECT_GT(peak, 1e-6) << what;
    };

    for (int fs : {22050, 44100, 48000, 96000, 192000})
    {
        for (int guitar = 0; guitar < 2; ++guitar)
        {
            const std::string at =
                " fs " + std::to_string(fs) + " guitar " + std::to_string(guitar);
            for (int m = 0; m < 17; ++m)
            {
                const std::string model = "model " + std::to_string(m) + at;
                input.designModel(m, guitar, fs);
                check(input, "input " + model);
                interstage.designModel(m, guitar, fs);
                check(interstage, "inter-stage " + model);
                for (int lowCut = 0; lowCut < 2; ++lowCut)
                    for (double e : {0.002, 1.0})
                    {
                        gain.designModel(m, guitar, lowCut, e, fs);
                        check(gain, "gain " + model + " e " + std::to_string(e));
                    }
                for (double x : {0.01, 2.0})
                {
                    volume.designModel(m, guitar, x, fs);
                    check(volume, "volume " + model + " x " + std::to_string(x));
                }
            }
            for (int type = 0; type < 20; ++type)
                for (double mids : {0.01, 0.5, 1.0})
                    for (double slope : {0.25, 1.0, 4.0})
                    {
                        tone.designModel(type, guitar, mids, slope, fs);
                        check(tone, "tone " + std::to_string(type) + " mids " +
                                        std::to_string(mids) + " slope " + std::to_string(slope) +
                                        at);
                    }
        }
    }
    EXPECT_EQ(designs, 5 * 2 * (17 * (2 + 4 + 2) + 20 * 9));
    RecordProperty("worstAbsoluteSum", std::to_string(worstSum));
}
} // namespace
