#include "dsp/CGainNetworkFIR.h"

namespace
{
struct Parts
{
    double cw, ca, p, rs, rb;
};

// The next stage's input resistance, also for the 150 k pot of the last model.
constexpr double kLoad = 100000.0;

// Indexed by circuit model; farads and ohms.
constexpr Parts kModels[CGainNetworkFIR::kModelCount] = {
    {100e-9, 100e-9, 100000.0, 1000.0, 10000.0}, // mZARG
    {470e-9, 470e-9, 100000.0, 1200.0, 7500.0},  // mRH47
    {680e-9, 680e-9, 100000.0, 1000.0, 10000.0}, // mV1_66_5
    {1e-6, 120e-9, 100000.0, 1000.0, 8200.0},    // mV1_66_11
    {100e-9, 100e-9, 100000.0, 820.0, 8200.0},   // mV1_67_1
    {100e-9, 100e-9, 100000.0, 1000.0, 8200.0},  // mV1_72_1
    {100e-9, 100e-9, 100000.0, 820.0, 8200.0},   // m1_72_2
    {100e-9, 150e-9, 100000.0, 820.0, 7500.0},   // mV2_RH_73_18
    {100e-9, 100e-9, 100000.0, 560.0, 8200.0},   // mV2_Vio_1
    {1e-6, 100e-9, 100000.0, 1000.0, 8200.0},    // mV_75_Pi
    {100e-9, 100e-9, 100000.0, 1000.0, 8200.0},  // mV2_Vio_2
    {100e-9, 100e-9, 100000.0, 820.0, 10000.0},  // mV2_RH_74_3
    {100e-9, 100e-9, 100000.0, 820.0, 8200.0},   // mV2_RH_75_1
    {100e-9, 100e-9, 100000.0, 1000.0, 10000.0}, // mV2_RH_76_1
    {1e-6, 100e-9, 100000.0, 1000.0, 10000.0},   // mV3_76_3
    {100e-9, 100e-9, 100000.0, 1000.0, 8200.0},  // mV3_79_2
    {1e-6, 100e-9, 150000.0, 1000.0, 8200.0},    // mV6
};
} // namespace

CGainNetworkFIR::CGainNetworkFIR(const Config& config, int fs) : CCircuitFIR(config)
{
    designModel(0, 0, 0, 1.0, fs);
}

CGainNetworkFIR::Coefficients CGainNetworkFIR::coefficients(int model, int guitarType,
                                                            int gainFilterType, double gain)
{
    const Parts& p = kModels[model];
    double cw = p.cw;
    double ca = p.ca;
    if (guitarType == 1)
    {
        cw *= 2.0;
        ca *= 2.0;
    }
    if (gainFilterType == 1)
    {
        cw *= 0.1;
        ca *= 0.1;
    }
    const double e = gain;
    const double rl = p.rb + kLoad;
    Coefficients c;
    c.b2 = ca * cw * kLoad * (e * p.p + p.rs);
    c.a2 = ca * cw * (p.p * (e * p.p + p.rs) * (1.0 - e) + rl * (p.p + p.rs));
    c.a1 = ca * (e * p.p + rl + p.rs) + cw * (p.p + p.rs);
    c.a0 = 1.0;
    return c;
}

void CGainNetworkFIR::designModel(int model, int guitarType, int gainFilterType, double gain,
                                  int fs)
{
    if (static_cast<unsigned>(model) >= kModelCount)
    {
        updateTaps();
        return;
    }
    design(coefficients(model, guitarType, gainFilterType, gain), kScale, fs);
}
