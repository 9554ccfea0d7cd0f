#pragma once

#include "dsp/CCouplingNetworkFIR.h"

// Input coupling network between the pedal input and the first clipping stage (the
// IN_Model control picks its row of part values).
class CInputNetworkFIR : public CCouplingNetworkFIR
{
public:
    CInputNetworkFIR(const Config& config, int fs);

    // model must index kCircuitModels.
    static Coefficients coefficients(int model, int guitarType);
};
