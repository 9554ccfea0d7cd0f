#pragma once

#include "dsp/CCouplingNetworkFIR.h"

// Coupling network between the second and the third clipping stage (the ISD_Model control
// picks its row of part values).
class CInterstageNetworkFIR : public CCouplingNetworkFIR
{
public:
    CInterstageNetworkFIR(const Config& config, int fs);

    // model must index kCircuitModels.
    static Coefficients coefficients(int model, int guitarType);
};
