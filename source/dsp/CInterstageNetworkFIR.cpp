#include "dsp/CInterstageNetworkFIR.h"

namespace
{
// Indexed by circuit model; farads and ohms.
constexpr CCouplingNetworkFIR::Table kModels = {
    {100e-9, 100000.0, 110000.0}, // mZARG
    {47e-9, 100000.0, 107500.0},  // mRH47
    {1e-6, 100000.0, 110000.0},   // mV1_66_5
    {120e-9, 100000.0, 108200.0}, // mV1_66_11
    {100e-9, 100000.0, 108200.0}, // mV1_67_1
    {100e-9, 100000.0, 108200.0}, // mV1_72_1
    {100e-9, 100000.0, 108200.0}, // m1_72_2
    {47e-9, 100000.0, 107500.0},  // mV2_RH_73_18
    {100e-9, 100000.0, 108200.0}, // mV2_Vio_1
    {1e-6, 100000.0, 108200.0},   // mV_75_Pi
    {100e-9, 100000.0, 108200.0}, // mV2_Vio_2
    {1e-6, 100000.0, 110000.0},   // mV2_RH_74_3
    {100e-9, 100000.0, 108200.0}, // mV2_RH_75_1
    {100e-9, 100000.0, 110000.0}, // mV2_RH_76_1
    {100e-9, 100000.0, 110000.0}, // mV3_76_3
    {100e-9, 100000.0, 108200.0}, // mV3_79_2
    {100e-9, 100000.0, 108200.0}, // mV6
};
} // namespace

CInterstageNetworkFIR::CInterstageNetworkFIR(const Config& config, int fs)
    : CCouplingNetworkFIR(config, fs, kModels, 0.011)
{
}

CInterstageNetworkFIR::Coefficients CInterstageNetworkFIR::coefficients(int model, int guitarType)
{
    return CCouplingNetworkFIR::coefficients(kModels[model], guitarType);
}
