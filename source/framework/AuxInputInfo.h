#pragma once

#include <cstdint>

// Side-chain input handed to CPlugIn::onAuxInput.
struct AuxInputInfo
{
    int32_t version = 1;    // always 1
    float* frame = nullptr; // per-frame path: the two side-chain samples of the frame
    void* reserved = nullptr;
    float** buffers = nullptr; // whole-buffer path: one buffer per side-chain channel
    int32_t channelCount = 0;
    bool present = false;
};
