#pragma once

#include "dsp/CCircuitFIR.h"

// Input coupling network between the pedal input and the first clipping stage: a series capacitor C
// into a resistive load, H(s) = C*Rn*s / (C*Rd*s + 1), one row of part values per circuit model.
class CInputNetworkFIR : public CCircuitFIR
{
public:
    static constexpr int kModelCount = 17;
    static constexpr double kScale = 1.75;

    CInputNetworkFIR(int fs, int channel, int N, int L, int B, int d);

    // guitarType 1 (BASS) doubles C; any other value counts as GUITAR. A model outside
    // 0..16 keeps the previous response.
    void designModel(int model, int guitarType, int fs);

    // model must lie in 0..16.
    static Coefficients coefficients(int model, int guitarType);
};
