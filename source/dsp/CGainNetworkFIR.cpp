#include "dsp/CGainNetworkFIR.h"

#include "dsp/CircuitModel.h"

namespace
{
// The next stage's input resistance, also for the 150 k pot of the last model.
constexpr double kLoad = 100000.0;
} // namespace

CGainNetworkFIR::CGainNetworkFIR(const Config& config, int fs) : CCircuitFIR(config)
{
    designModel(0, 0, 0, 1.0, fs);
}

CGainNetworkFIR::Coefficients CGainNetworkFIR::coefficients(int model, int guitarType,
                                                            int gainFilterType, double gain)
{
    const CircuitModel::GainPot& p = kCircuitModels[model].gain;
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
    if (static_cast<unsigned>(model) >= std::size(kCircuitModels))
    {
        updateTaps();
        return;
    }
    design(coefficients(model, guitarType, gainFilterType, gain), kScale, fs);
}
