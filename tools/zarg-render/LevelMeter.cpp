#include "LevelMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void LevelMeter::add(const std::vector<const float*>& channels, size_t frames)
{
    for (const float* channel : channels)
    {
        for (size_t i = 0; i < frames; ++i)
        {
            const double v = channel[i];
            peakValue = std::max(peakValue, std::abs(v));
            sumOfSquares += v * v;
        }
        count += frames;
    }
}

double LevelMeter::rms() const
{
    return count ? std::sqrt(sumOfSquares / static_cast<double>(count)) : 0.0;
}

std::string LevelMeter::dbfs(double level)
{
    if (!(level > 0.0))
        return "-inf dBFS";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dBFS", 20.0 * std::log10(level));
    return text;
}
