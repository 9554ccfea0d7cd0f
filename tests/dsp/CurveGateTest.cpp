#include "dsp/CNoiseGate.h"
#include "dsp/CTransferCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
struct CurvePoint
{
    int table;
    double x;
    double expected;
};

TEST(TransferCurve, InterpolatesAndExtrapolatesThePrintedPoints)
{
    const CurvePoint points[] = {
        {0, 0.0, -1.68106e-08},
        {0, -1.0, 1.0},
        {0, 1.0, -0.934102},
        {0, 0.01, -0.013081558},
        {0, 2.0, -0.952452},
        {0, -0.6, 0.7604941},
        {0, -1.01, 1.0 + (0.9996663 - 1.0) / 0.02 * -0.01},
        {0, -3.0, 1.0 + 2 * 0.016685},
        {1, -0.34, 1.0},
        {1, -1.0, 0.8512839},
        {1, 1.0, -0.817941},
        {1, 0.02, -0.238526},
        {2, -0.34, 1.0},
        {2, 0.4, -0.963062},
        {3, 1.0, -0.934102},
        {-1, 1.0, -0.934102},
    };
    for (const auto& p : points)
    {
        CTransferCurve curve;
        curve.selectTable(p.table);
        curve.processSample(p.x);
        EXPECT_NEAR(curve.getOutput(), p.expected, 1e-9) << "table " << p.table << " x " << p.x;
    }
}

TEST(TransferCurve, TablesTwoAndOneAreEqualAndEveryTableIsContinuous)
{
    EXPECT_EQ(CTransferCurve::table(1), CTransferCurve::table(2));
    EXPECT_NE(&CTransferCurve::table(1), &CTransferCurve::table(2));
    for (int t = 0; t < 3; ++t)
    {
        CTransferCurve curve;
        curve.selectTable(t);
        // Just below and above each grid point the two segments meet.
        for (int k = 1; k < 100; ++k)
        {
            const double x = -1.0 + 0.02 * k;
            curve.processSample(x - 1e-9);
            const double below = curve.getOutput();
            curve.processSample(x + 1e-9);
            EXPECT_NEAR(below, curve.getOutput(), 1e-6) << t << " " << k;
        }
    }
}

TEST(TransferCurve, StateFollowsSelectAndReset)
{
    CTransferCurve curve;
    EXPECT_EQ(curve.getOutput(), 0.0);
    curve.selectTable(1);
    curve.processSample(-0.34);
    curve.selectTable(0);
    EXPECT_EQ(curve.getOutput(), 1.0); // selecting keeps the output
    curve.selectTable(1);
    curve.reset();
    EXPECT_EQ(curve.getOutput(), 0.0);
    curve.processSample(1.0);
    EXPECT_DOUBLE_EQ(curve.getOutput(), -0.934102); // reset went back to table 0
}

TEST(TransferCurve, HugeAndNonFiniteInputsStayDefined)
{
    CTransferCurve curve;
    curve.processSample(1e300);
    EXPECT_TRUE(std::isinf(curve.getOutput()) || curve.getOutput() < -1e290);
    curve.processSample(-1e300);
    EXPECT_GT(curve.getOutput(), 1e290);
    curve.processSample(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(curve.getOutput()));
}

TEST(NoiseGate, CoefficientsAt44100)
{
    struct Case
    {
        double ms, coefficient;
    };
    for (const Case c :
         {Case{350.0, 0.9997017}, {25.0, 0.9958317}, {1.0, 0.9008418}, {2000.0, 0.9999478}})
    {
        CNoiseGate gate;
        gate.setParameters(c.ms, c.ms, 44100.0, -50.0);
        EXPECT_NEAR(gate.getCloseCoefficient(), c.coefficient, 5e-8) << c.ms;
        EXPECT_NEAR(gate.getOpenCoefficient(), c.coefficient, 5e-8) << c.ms;
    }
    CNoiseGate gate;
    gate.setParameters(350.0, 25.0, 44100.0, -50.0);
    EXPECT_NEAR(gate.getCloseCoefficient(), 0.9997017, 5e-8);
    EXPECT_NEAR(gate.getOpenCoefficient(), 0.9958317, 5e-8);
    EXPECT_NEAR(gate.getThresholdLinear(), 0.0031623, 5e-8);
    gate.setParameters(350.0, 25.0, 44100.0, -65.0);
    EXPECT_NEAR(gate.getThresholdLinear(), 0.00056234, 5e-9);
}

TEST(NoiseGate, OpensAboveAndClosesBelowTheThresholdAtTheirOwnSpeeds)
{
    const double fs = 44100.0;
    CNoiseGate gate;
    gate.setParameters(350.0, 25.0, fs, -50.0);

    // A fresh gate passes at full gain while the signal stays above the threshold.
    for (int i = 0; i < 1000; ++i)
    {
        EXPECT_EQ(gate.processSample(0.01), 1.0);
        EXPECT_EQ(gate.getOutput(), 0.01);
    }

    // Below the threshold it closes: 99 % of the way after the attack time of 350 ms.
    const int attack = static_cast<int>(0.350 * fs);
    double gain = 1.0;
    for (int i = 0; i < attack; ++i)
        gain = gate.processSample(0.001);
    EXPECT_NEAR(gain, 0.01, 1e-4);
    EXPECT_DOUBLE_EQ(gate.getOutput(), 0.001 * gain);
    for (int i = 0; i < 20 * attack; ++i)
        gain = gate.processSample(0.001);
    EXPECT_LT(gain, 1e-20);

    // Above it, it opens with the release time of 25 ms.
    const int release = static_cast<int>(0.025 * fs);
    for (int i = 0; i < release; ++i)
        gain = gate.processSample(-0.01);
    EXPECT_NEAR(gain, 0.99, 1e-3);
    for (int i = 0; i < 20 * release; ++i)
        gain = gate.processSample(0.01);
    EXPECT_NEAR(gain, 1.0, 1e-12);

    // A sample exactly at the threshold counts as below.
    CNoiseGate edge;
    edge.setParameters(1.0, 1.0, fs, 0.0);
    EXPECT_LT(edge.processSample(1.0), 1.0);
}
} // namespace
