#include "adapter/Taper.h"

#include "adapter/FastMath.h"
#include "framework/CControlDescriptor.h"

#include <cmath>
#include <cstdint>

namespace Zeri2VST3::Taper
{
namespace
{
constexpr double kDecadeScale = 0.4166666666666667; // 1 / 2.4 decades

// The normalized value for a plain value, for a taper whose forward mapping
// toPlain(normalized, minPlain, maxPlain) only approximates its formula (and
// is not even monotonic at its finest scale): the point of a fine grid whose
// plain value lies nearest, the lowest of equals. A host that stores plain
// values and converts them back therefore settles after one round trip
// instead of drifting at every save and reload. The grid (2^20 steps) is
// finer than the forward mapping's own resolution, so every plain value it
// can produce stays reachable. gridPoint spreads the grid over the normalized
// range: it maps 0 .. 1, in equal steps, to the normalized values from where
// the taper reaches minPlain to where it reaches maxPlain; the ends of the
// plain range map to those ends. An empty range has no taper: 0 keeps NaN
// away from the host.
template <typename ToPlain, typename GridPoint>
double stableNormalized(double plain, double minPlain, double maxPlain, ToPlain toPlain,
                        GridPoint gridPoint)
{
    constexpr int32_t kSteps = 1 << 20;
    // Far enough to cover the forward mapping's local folds.
    constexpr int32_t kScan = 64;
    auto point = [&](int32_t k) { return gridPoint(static_cast<double>(k) / kSteps); };
    auto at = [&](int32_t k) { return toPlain(point(k), minPlain, maxPlain); };
    if (maxPlain == minPlain)
        return 0.0;
    if (std::isnan(plain) || plain <= minPlain)
        return point(0);
    if (plain >= maxPlain)
        return point(kSteps);

    // Lowest grid point at or above the value, as if the mapping were monotonic.
    int32_t lo = 0;
    int32_t hi = kSteps;
    while (lo < hi)
    {
        const int32_t mid = lo + (hi - lo) / 2;
        if (at(mid) >= plain)
            hi = mid;
        else
            lo = mid + 1;
    }

    int32_t best = 0;
    double bestDistance = INFINITY;
    const int32_t first = lo > kScan ? lo - kScan : 0;
    const int32_t last = lo < kSteps - kScan ? lo + kScan : kSteps;
    for (int32_t k = first; k <= last; ++k)
    {
        const double distance = std::fabs(at(k) - plain);
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = k;
        }
    }
    return point(best);
}
} // namespace

float voltOctaveFraction(double normalized, double minPlain, double maxPlain)
{
    const float octaves = fastLog2(static_cast<float>(maxPlain / minPlain));
    const float e = fastPow2(octaves * static_cast<float>(normalized));
    const auto lo = static_cast<float>(minPlain);
    return (e * lo - lo) / static_cast<float>(maxPlain - minPlain);
}

double voltOctavePlain(double normalized, double minPlain, double maxPlain)
{
    if (maxPlain == minPlain)
        return minPlain;
    const float fraction = voltOctaveFraction(normalized, minPlain, maxPlain);
    return minPlain + (maxPlain - minPlain) * static_cast<double>(fraction);
}

double voltOctaveNormalized(double plain, double minPlain, double maxPlain)
{
    return stableNormalized(plain, minPlain, maxPlain, voltOctavePlain,
                            [](double position) { return position; });
}

double logPlain(double normalized, double minPlain, double maxPlain)
{
    const float v = static_cast<float>(normalized);
    const float a =
        v <= 0.0f ? 0.0f
                  : static_cast<float>(1.0 + kDecadeScale * static_cast<double>(std::log10(v)));
    return minPlain + (maxPlain - minPlain) * static_cast<double>(a);
}

double logNormalized(double plain, double minPlain, double maxPlain)
{
    // Grid points equally spaced in plain value, over the 2.4 decades below the top.
    return stableNormalized(
        plain, minPlain, maxPlain, logPlain,
        [](double position)
        { return static_cast<float>(std::pow(10.0, (position - 1.0) / kDecadeScale)); });
}

float logFraction(double normalized)
{
    return std::log10(9.0f * static_cast<float>(normalized) + 1.0f);
}

double logNormalizedOfFraction(float fraction)
{
    const float decade = std::pow(10.0f, fraction);
    return static_cast<double>(static_cast<float>((static_cast<double>(decade) - 1.0) / 9.0));
}

float controlFraction(const CControlDescriptor& control, double normalized)
{
    if (control.logTaper)
        return logFraction(normalized);
    if (control.voltOctaveTaper)
        return voltOctaveFraction(normalized, static_cast<double>(control.minValue),
                                  static_cast<double>(control.maxValue));
    return static_cast<float>(normalized);
}

double controlNormalized(const CControlDescriptor& control, float plain)
{
    if (control.logTaper)
        return logNormalizedOfFraction(control.fractionOf(plain));
    if (control.voltOctaveTaper)
        return voltOctaveNormalized(static_cast<double>(plain),
                                    static_cast<double>(control.minValue),
                                    static_cast<double>(control.maxValue));
    return static_cast<double>(control.fractionOf(plain));
}
} // namespace Zeri2VST3::Taper
