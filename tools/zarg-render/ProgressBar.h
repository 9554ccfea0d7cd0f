#pragma once

#include <cstdint>

// A one-line progress bar on stderr, redrawn in place and erased when done.
// It only draws when enabled (the caller decides: a terminal and a long
// enough render), so logs and pipes stay clean.
class ProgressBar
{
public:
    ProgressBar(bool enabled, int64_t total);
    ~ProgressBar();

    void update(int64_t done);
    void finish();

private:
    bool enabled;
    int64_t total;
    int lastPercent = -1;
    bool drawn = false;
};
