#pragma once

#include "dsp/CCircuitFIR.h"

// The passive tone control and its alternatives, one row each in the type table (in
// TS_Type order, with its name, scale and formula). Most types are one circuit (a
// low-pass and a high-pass branch joined by a pot whose wiper is the Mids control;
// SlopeShift scales the low-pass resistor) with different part values; the others are
// other networks given by their coefficient formulas.
class CToneStackFIR : public CCircuitFIR
{
public:
    CToneStackFIR(const Config& config, int fs);

    // guitarType 1 (BASS) doubles the capacitors (as each type says); any other value
    // counts as GUITAR. A type outside 0..typeCount() - 1 keeps the previous response.
    void designModel(int type, int guitarType, double mids, double slopeShift, int fs);

    static int typeCount();
    // For the functions below, type must lie in 0..typeCount() - 1.
    static const char* typeName(int type);
    static Coefficients coefficients(int type, int guitarType, double mids, double slopeShift);
    static double scale(int type);
};
