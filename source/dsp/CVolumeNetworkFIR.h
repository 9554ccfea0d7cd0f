#pragma once

#include "dsp/CCircuitFIR.h"

// The output coupling network with the Volume control: a two-section RC high-pass ladder
// (Cx into R1, then Cy into R2) whose whole response is multiplied by the Volume value.
class CVolumeNetworkFIR : public CCircuitFIR
{
public:
    static constexpr double kScale = 1.75;

    CVolumeNetworkFIR(const Config& config, int fs);

    // guitarType 1 (BASS) doubles Cx and Cy; any other value counts as GUITAR. A model
    // outside kCircuitModels keeps the previous response.
    void designModel(int model, int guitarType, double volume, int fs);

    // model must index kCircuitModels.
    static Coefficients coefficients(int model, int guitarType, double volume);
};
