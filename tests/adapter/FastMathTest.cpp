#include "adapter/FastMath.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

using Zeri2VST3::fastLog2;
using Zeri2VST3::fastPow2;

namespace
{
float f(uint32_t bits)
{
    return std::bit_cast<float>(bits);
}

// The approximations written from their constants' bit patterns, to pin the
// decimal literals in the implementation to exactly those values.
float referenceLog2(float x)
{
    const uint32_t i = std::bit_cast<uint32_t>(x);
    const float m = f((i & 0x007FFFFFu) | 0x3F000000u);
    return static_cast<float>(i) * f(0x34000000) - f(0x42F87377) - f(0x3FBFBF75) * m -
           f(0x3FDCE9A3) / (f(0x3EB444F9) + m);
}

float referencePow2(float p)
{
    const float offset = p < 0.0f ? 1.0f : 0.0f;
    const float c = p < -126.0f ? -126.0f : p;
    const float z = c - static_cast<float>(static_cast<int32_t>(c)) + offset;
    const float scaled =
        (c + f(0x42F28C51) + f(0x41DDD2FE) / (f(0x409AF5F8) - z) - f(0x3FBEBC8D) * z) *
        f(0x4B000000);
    return std::bit_cast<float>(static_cast<uint32_t>(static_cast<int64_t>(scaled)));
}
} // namespace

TEST(FastMath, BitExactToTheListedConstants)
{
    for (float x = 1e-6f; x < 1e6f; x *= 1.013f)
        ASSERT_EQ(std::bit_cast<uint32_t>(fastLog2(x)), std::bit_cast<uint32_t>(referenceLog2(x)))
            << x;
    for (float p = -130.0f; p < 120.0f; p += 0.0173f)
        ASSERT_EQ(std::bit_cast<uint32_t>(fastPow2(p)), std::bit_cast<uint32_t>(referencePow2(p)))
            << p;
}

TEST(FastMath, Log2WithinItsApproximation)
{
    float worst = 0.0f;
    for (float x = 1e-4f; x < 1e4f; x *= 1.0071f)
        worst = std::max(worst, std::fabs(fastLog2(x) - std::log2(x)));
    // A few parts in 10 000 of an octave.
    EXPECT_LT(worst, 2e-4f);
    EXPECT_NEAR(fastLog2(16.0f), 4.0f, 1e-4f);
    EXPECT_NEAR(fastLog2(0.25f), -2.0f, 1e-4f);
}

TEST(FastMath, Pow2WithinItsApproximation)
{
    float worst = 0.0f;
    for (float p = -30.0f; p < 30.0f; p += 0.0131f)
        worst = std::max(worst, std::fabs(fastPow2(p) / std::exp2(p) - 1.0f));
    EXPECT_LT(worst, 1e-4f);
    EXPECT_NEAR(fastPow2(2.0f), 4.0f, 4e-4f);
    EXPECT_NEAR(fastPow2(-1.0f), 0.5f, 5e-5f);
}

TEST(FastMath, Pow2AtTheEdgesOfTheFloatRange)
{
    EXPECT_EQ(fastPow2(-500.0f), fastPow2(-126.0f));
    EXPECT_GT(fastPow2(-126.0f), 0.0f);
    EXPECT_TRUE(std::isnan(fastPow2(std::numeric_limits<float>::quiet_NaN())));
    // Beyond the float range the result stays at the top of it instead of
    // becoming a wrapped bit pattern.
    for (float p : {128.0f, 200.0f, 1e30f, std::numeric_limits<float>::infinity()})
        EXPECT_GT(fastPow2(p), 3e38f) << p;
}
