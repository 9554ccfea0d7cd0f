#pragma once

#include "dsp/CCircuitFIR.h"

// The network around the Gain potentiometer between the first and the second clipping
// stage: Cw into the pot's top, Rs from its bottom to ground, the wiper through Ca and Rb
// into the next stage's 100 k input. A second-order high-pass whose level and corners
// follow the wiper position.
class CGainNetworkFIR : public CCircuitFIR
{
public:
    static constexpr double kScale = 1.75;

    CGainNetworkFIR(const Config& config, int fs);

    // guitarType 1 (BASS) doubles Cw and Ca, gainFilterType 1 (LOWCUT) scales them by 0.1;
    // other values count as GUITAR / NORMAL. gain is the wiper position, 0 (bottom) to 1.
    // A model outside kCircuitModels keeps the previous response.
    void designModel(int model, int guitarType, int gainFilterType, double gain, int fs);

    // model must index kCircuitModels.
    static Coefficients coefficients(int model, int guitarType, int gainFilterType, double gain);
};
