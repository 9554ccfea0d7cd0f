#pragma once

#include <cstdint>

// Transport state as the host adapter last saw it. Members the adapter does
// not fill stay zero.
struct HostTimeInfo
{
    uint64_t samplePosition = 0;
    double timeSeconds = 0.0; // samplePosition / sample rate
    double tempoBpm = 0.0;
    float timeSigNumerator = 0.0f;
    uint32_t timeSigDenominator = 0;
};
