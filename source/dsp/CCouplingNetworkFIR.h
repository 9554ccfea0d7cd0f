#pragma once

#include "dsp/CCircuitFIR.h"
#include "dsp/CircuitModel.h"

// A first-order RC coupling network: a series capacitor C into a resistive load,
// H(s) = C*Rn*s / (C*Rd*s + 1), a high-pass with passband gain Rn/Rd. The input and the
// inter-stage networks are this circuit with their own part values per circuit model.
class CCouplingNetworkFIR : public CCircuitFIR
{
public:
    static constexpr double kScale = 1.75;

    // guitarType 1 (BASS) doubles C; any other value counts as GUITAR. A model outside
    // kCircuitModels keeps the previous response.
    void designModel(int model, int guitarType, int fs);

protected:
    // Which of a circuit model's two coupling networks this is.
    using Section = CircuitModel::Coupling CircuitModel::*;

    // The first design is model 0 with GUITAR, given by its coefficients b1 = 0.01, a1.
    CCouplingNetworkFIR(const Config& config, int fs, Section section, double firstA1);

    // model must index kCircuitModels.
    static Coefficients coefficients(Section section, int model, int guitarType);

private:
    Section m_section;
};
