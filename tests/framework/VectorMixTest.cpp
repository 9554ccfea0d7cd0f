#include "framework/CPlugIn.h"

#include <gtest/gtest.h>

namespace
{
struct MixCase
{
    double x, y;
    bool orientation;
    double acMix, bdMix, a, b, c, d;
};

constexpr MixCase kCases[] = {
    // Centre: the rule's special case, both orientations.
    {0.0, 0.0, false, 0.5, 0.5, 0.25, 0.25, 0.25, 0.25},
    {0.0, 0.0, true, 0.5, 0.5, 0.25, 0.25, 0.25, 0.25},
    // a is -0.0062 before it is limited; the mixes carry the 1.41421356 error.
    {1.0, 0.0, false, 0.7500000008, 0.7500000008, 0.0, 0.500124, 0.504062, 0.001984},
    // Rotated axes: x' = 1, y' = -1; c = 1.004 before the upper limit.
    {1.0, 0.0, true, 1.0, 0.5, 0.0, 0.0, 1.0, 0.0039535},
    // Past the edge: e is limited to -128 + 127 = -1; b and c are limited to 0.
    {-2.0, 0.0, false, -0.0000000017, -0.0000000017, 0.495922, 0.0, 0.0, 0.508031},
};
} // namespace

TEST(VectorMix, WeightsAndMixesMatchTheMixingRule)
{
    for (const MixCase& m : kCases)
    {
        SCOPED_TRACE(testing::Message() << "x=" << m.x << " y=" << m.y << " o=" << m.orientation);
        double a = -1, b = -1, c = -1, d = -1, acMix = -1, bdMix = -1;
        CPlugIn::computeVectorMix(m.x, m.y, a, b, c, d, acMix, bdMix, m.orientation);
        EXPECT_NEAR(acMix, m.acMix, 1e-9);
        EXPECT_NEAR(bdMix, m.bdMix, 1e-9);
        EXPECT_NEAR(a, m.a, 1e-6);
        EXPECT_NEAR(b, m.b, 1e-6);
        EXPECT_NEAR(c, m.c, 1e-6);
        EXPECT_NEAR(d, m.d, 1e-6);
    }
}

TEST(VectorMix, WeightsStayWithinZeroAndOneAcrossThePad)
{
    for (double x = -1.0; x <= 1.0; x += 0.125)
        for (double y = -1.0; y <= 1.0; y += 0.125)
            for (bool orientation : {false, true})
            {
                double w[4], acMix, bdMix;
                CPlugIn::computeVectorMix(x, y, w[0], w[1], w[2], w[3], acMix, bdMix, orientation);
                for (double v : w)
                {
                    EXPECT_GE(v, 0.0);
                    EXPECT_LE(v, 1.0);
                }
            }
}
