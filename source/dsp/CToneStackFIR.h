#pragma once

#include "dsp/CCircuitFIR.h"

// The passive tone control and its alternatives. Types 0-11 are one circuit (a low-pass
// and a high-pass branch joined by a pot whose wiper is the Mids control; SlopeShift
// scales the low-pass resistor) with different part values; types 12-19 are other
// networks given by their coefficient formulas.
class CToneStackFIR : public CCircuitFIR
{
public:
    static constexpr int kTypeCount = 20;

    CToneStackFIR(const Config& config, int fs);

    // guitarType 1 (BASS) doubles the capacitors (as each type says); any other value
    // counts as GUITAR. A type outside 0..19 keeps the previous response.
    void designModel(int type, int guitarType, double mids, double slopeShift, int fs);

    // type must lie in 0..19.
    static Coefficients coefficients(int type, int guitarType, double mids, double slopeShift);
    static double scale(int type);
};
