#include "dsp/CInterstageNetworkFIR.h"

CInterstageNetworkFIR::CInterstageNetworkFIR(const Config& config, int fs)
    : CCouplingNetworkFIR(config, fs, &CircuitModel::interstage, 0.011)
{
}

CInterstageNetworkFIR::Coefficients CInterstageNetworkFIR::coefficients(int model, int guitarType)
{
    return CCouplingNetworkFIR::coefficients(&CircuitModel::interstage, model, guitarType);
}
