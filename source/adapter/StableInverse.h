#pragma once

#include <cmath>
#include <cstdint>

namespace Zeri2VST3
{

// The normalised value for a plain value, for a taper whose forward mapping
// only approximates its formula (and is not even monotonic at its finest
// scale): the point of a fine grid whose plain value lies nearest, the lowest
// of equals. A host that stores plain values and converts them back therefore
// settles after one round trip instead of drifting at every save and reload.
// The grid (2^20 steps) is finer than the forward mapping's own resolution,
// so every plain value it can produce stays reachable. gridPoint spreads the
// grid over the normalised range: it maps 0 .. 1, in equal steps, to the
// normalised values from where the taper reaches minPlain to where it
// reaches maxPlain; the ends of the plain range map to those ends.
template <typename ToPlain, typename GridPoint>
double stableNormalized(double plain, double minPlain, double maxPlain, ToPlain toPlain,
                        GridPoint gridPoint)
{
    constexpr int32_t kSteps = 1 << 20;
    // Far enough to cover the forward mapping's local folds.
    constexpr int32_t kScan = 64;
    auto point = [&](int32_t k) { return gridPoint(static_cast<double>(k) / kSteps); };
    auto at = [&](int32_t k) { return toPlain(point(k)); };
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

} // namespace Zeri2VST3
