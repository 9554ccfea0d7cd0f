#pragma once

#include <cstddef>
#include <vector>

// Audio held in memory, one vector per channel (all the same length).
struct AudioData
{
    double sampleRate = 48000.0;
    std::vector<std::vector<float>> channels;

    size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
};
