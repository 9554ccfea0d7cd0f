#include "adapter/FastMath.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace Zeri2VST3
{
float fastLog2(float x)
{
    const uint32_t i = std::bit_cast<uint32_t>(x);
    const float m = std::bit_cast<float>((i & 0x007FFFFFu) | 0x3F000000u);
    return static_cast<float>(i) * 1.1920928955078125e-7f - 124.22551727f - 1.4980303049f * m -
           1.7258800268f / (0.3520887196f + m);
}

float fastPow2(float p)
{
    if (std::isnan(p))
        return p;
    const float offset = p < 0.0f ? 1.0f : 0.0f;
    // Above 2^128 single precision overflows anyway; the bound keeps the
    // integer conversion below defined.
    const float c = p < -126.0f ? -126.0f : (p > 128.0f ? 128.0f : p);
    const float z = c - std::trunc(c) + offset;
    const float scaled =
        (c + 121.27405548f + 27.7280235291f / (4.8425254822f - z) - 1.4901291132f * z) * 8388608.0f;
    const auto bits = static_cast<uint32_t>(static_cast<int64_t>(scaled));
    return std::bit_cast<float>(bits);
}
} // namespace Zeri2VST3
