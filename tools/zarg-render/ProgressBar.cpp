#include "ProgressBar.h"

#include <cstdio>
#include <string>

namespace
{
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(bool isEnabled, int64_t totalWork)
    : enabled(isEnabled && totalWork > 0), total(totalWork)
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::update(int64_t done)
{
    if (!enabled)
        return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == lastPercent)
        return;
    lastPercent = percent;
    const int filled = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kWidth - filled), '.');
    std::fprintf(stderr, "\rrendering [%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
    drawn = true;
}

void ProgressBar::finish()
{
    if (drawn)
    {
        // Erase the bar so what follows starts on a clean line.
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        drawn = false;
    }
    enabled = false;
}
