#include "dsp/CVolumeNetworkFIR.h"

namespace
{
struct Parts
{
    double cx, cy, r1, r2;
};

// Indexed by circuit model; farads and ohms.
constexpr Parts kModels[CVolumeNetworkFIR::kModelCount] = {
    {100e-9, 100e-9, 100000.0, 100000.0}, // mZARG
    {470e-9, 470e-9, 100000.0, 100000.0}, // mRH47
    {680e-9, 680e-9, 100000.0, 100000.0}, // mV1_66_5
    {1e-6, 1e-6, 100000.0, 100000.0},     // mV1_66_11
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV1_67_1
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV1_72_1
    {100e-9, 100e-9, 100000.0, 100000.0}, // m1_72_2
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV2_RH_73_18
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV2_Vio_1
    {100e-9, 1e-6, 100000.0, 100000.0},   // mV_75_Pi
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV2_Vio_2
    {100e-9, 10e-6, 100000.0, 100000.0},  // mV2_RH_74_3
    {100e-9, 1e-6, 100000.0, 100000.0},   // mV2_RH_75_1
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV2_RH_76_1
    {100e-9, 100e-9, 100000.0, 100000.0}, // mV3_76_3
    {100e-9, 1e-6, 100000.0, 100000.0},   // mV3_79_2
    {100e-9, 1e-6, 100000.0, 150000.0},   // mV6
};
} // namespace

CVolumeNetworkFIR::CVolumeNetworkFIR(const Config& config, int fs) : CCircuitFIR(config)
{
    designModel(0, 0, 1.0, fs);
}

CVolumeNetworkFIR::Coefficients CVolumeNetworkFIR::coefficients(int model, int guitarType,
                                                                double volume)
{
    const Parts& p = kModels[model];
    const double k = guitarType == 1 ? 2.0 : 1.0;
    const double cx = k * p.cx;
    const double cy = k * p.cy;
    Coefficients c;
    c.b2 = volume * cx * cy * p.r1 * p.r2;
    c.a2 = cx * cy * p.r1 * p.r2;
    c.a1 = cx * p.r1 + cy * (p.r1 + p.r2);
    c.a0 = 1.0;
    return c;
}

void CVolumeNetworkFIR::designModel(int model, int guitarType, double volume, int fs)
{
    if (static_cast<unsigned>(model) >= kModelCount)
    {
        updateTaps();
        return;
    }
    design(coefficients(model, guitarType, volume), kScale, fs);
}
