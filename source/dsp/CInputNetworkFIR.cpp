#include "dsp/CInputNetworkFIR.h"

CInputNetworkFIR::CInputNetworkFIR(const Config& config, int fs)
    : CCouplingNetworkFIR(config, fs, &CircuitModel::input, 0.0139)
{
}

CInputNetworkFIR::Coefficients CInputNetworkFIR::coefficients(int model, int guitarType)
{
    return CCouplingNetworkFIR::coefficients(&CircuitModel::input, model, guitarType);
}
