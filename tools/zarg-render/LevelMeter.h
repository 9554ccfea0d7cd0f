#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Peak and RMS over every sample of every channel written.
class LevelMeter
{
public:
    void add(const std::vector<const float*>& channels, size_t frames);
    double peak() const { return peakValue; }
    double rms() const;

    // "-3.01 dBFS"; silence reads "-inf dBFS".
    static std::string dbfs(double level);

private:
    double peakValue = 0.0;
    double sumOfSquares = 0.0;
    size_t count = 0;
};
