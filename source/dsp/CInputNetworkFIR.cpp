#include "dsp/CInputNetworkFIR.h"

namespace
{
// Indexed by circuit model; farads and ohms.
constexpr CCouplingNetworkFIR::Table kModels = {
    {100e-9, 100000.0, 139000.0}, // mZARG
    {470e-9, 100000.0, 133000.0}, // mRH47
    {1e-6, 100000.0, 136000.0},   // mV1_66_5
    {120e-9, 100000.0, 133000.0}, // mV1_66_11
    {100e-9, 100000.0, 133000.0}, // mV1_67_1
    {100e-9, 100000.0, 133000.0}, // mV1_72_1
    {100e-9, 82000.0, 115000.0},  // m1_72_2
    {100e-9, 100000.0, 133000.0}, // mV2_RH_73_18
    {100e-9, 100000.0, 133000.0}, // mV2_Vio_1
    {1e-6, 100000.0, 139000.0},   // mV_75_Pi
    {100e-9, 100000.0, 139000.0}, // mV2_Vio_2
    {10e-6, 100000.0, 133000.0},  // mV2_RH_74_3
    {10e-6, 41000.0, 80000.0},    // mV2_RH_75_1
    {1e-6, 47000.0, 86000.0},     // mV2_RH_76_1
    {10e-6, 47000.0, 86000.0},    // mV3_76_3
    {1e-6, 100000.0, 139000.0},   // mV3_79_2
    {1e-6, 100000.0, 139000.0},   // mV6
};
} // namespace

CInputNetworkFIR::CInputNetworkFIR(const Config& config, int fs)
    : CCouplingNetworkFIR(config, fs, kModels, 0.0139)
{
}

CInputNetworkFIR::Coefficients CInputNetworkFIR::coefficients(int model, int guitarType)
{
    return CCouplingNetworkFIR::coefficients(kModels[model], guitarType);
}
