#include "dsp/CVolumeNetworkFIR.h"

#include "dsp/CircuitModel.h"

CVolumeNetworkFIR::CVolumeNetworkFIR(const Config& config, int fs) : CCircuitFIR(config)
{
    designModel(0, 0, 1.0, fs);
}

CVolumeNetworkFIR::Coefficients CVolumeNetworkFIR::coefficients(int model, int guitarType,
                                                                double volume)
{
    const CircuitModel::Output& p = kCircuitModels[model].volume;
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
    if (static_cast<unsigned>(model) >= std::size(kCircuitModels))
    {
        updateTaps();
        return;
    }
    design(coefficients(model, guitarType, volume), kScale, fs);
}
