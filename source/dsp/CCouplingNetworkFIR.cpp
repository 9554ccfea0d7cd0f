#include "dsp/CCouplingNetworkFIR.h"

CCouplingNetworkFIR::CCouplingNetworkFIR(const Config& config, int fs, Section section,
                                         double firstA1)
    : CCircuitFIR(config), m_section(section)
{
    Coefficients c;
    c.b1 = 0.01;
    c.a1 = firstA1;
    c.a0 = 1.0;
    design(c, kScale, fs);
}

void CCouplingNetworkFIR::designModel(int model, int guitarType, int fs)
{
    if (static_cast<unsigned>(model) >= std::size(kCircuitModels))
    {
        updateTaps();
        return;
    }
    design(coefficients(m_section, model, guitarType), kScale, fs);
}

CCouplingNetworkFIR::Coefficients CCouplingNetworkFIR::coefficients(Section section, int model,
                                                                    int guitarType)
{
    const CircuitModel::Coupling& p = kCircuitModels[model].*section;
    const double cap = guitarType == 1 ? 2.0 * p.c : p.c;
    Coefficients c;
    c.b1 = cap * p.rn;
    c.a1 = cap * p.rd;
    c.a0 = 1.0;
    return c;
}
