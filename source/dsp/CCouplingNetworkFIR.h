#pragma once

#include "dsp/CCircuitFIR.h"

// A first-order RC coupling network: a series capacitor C into a resistive load,
// H(s) = C*Rn*s / (C*Rd*s + 1), a high-pass with passband gain Rn/Rd. The input and the
// inter-stage networks are this circuit with their own part values per circuit model.
class CCouplingNetworkFIR : public CCircuitFIR
{
public:
    static constexpr int kModelCount = 17;
    static constexpr double kScale = 1.75;

    // Farads and ohms.
    struct Parts
    {
        double c, rn, rd;
    };
    using Table = Parts[kModelCount];

    // guitarType 1 (BASS) doubles C; any other value counts as GUITAR. A model outside
    // 0..16 keeps the previous response.
    void designModel(int model, int guitarType, int fs);

    static Coefficients coefficients(const Parts& parts, int guitarType);

protected:
    // The first design is model 0 with GUITAR, given by its coefficients b1 = 0.01, a1.
    CCouplingNetworkFIR(const Config& config, int fs, const Table& models, double firstA1);

private:
    const Table& m_models;
};
