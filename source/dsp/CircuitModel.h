#pragma once

#include <iterator>

// The versions of the pedal's circuit the model controls choose from. A model is its
// name (the control's item text) and the part values, in farads and ohms, of the four
// linear networks it sets: each model control picks the row for one network. Adding a
// model is adding a row; a row that leaves out a part fails the build
// (-Wmissing-field-initializers, an error with ZARG_WERROR).
struct CircuitModel
{
    // A series capacitor c into a resistive load: the input and inter-stage networks.
    struct Coupling
    {
        double c, rn, rd;
    };
    // Cw into the Gain pot p, Rs below it, the wiper through Ca and Rb.
    struct GainPot
    {
        double cw, ca, p, rs, rb;
    };
    // The output ladder: Cx into R1, then Cy into R2.
    struct Output
    {
        double cx, cy, r1, r2;
    };

    const char* name;
    Coupling input;
    GainPot gain;
    Coupling interstage;
    Output volume;
};

// In control order: a model control's value indexes this table. Each row: name, input,
// gain, inter-stage and volume network.
inline constexpr CircuitModel kCircuitModels[] = {
    {"mZARG",
     {100e-9, 100000.0, 139000.0},
     {100e-9, 100e-9, 100000.0, 1000.0, 10000.0},
     {100e-9, 100000.0, 110000.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mRH47",
     {470e-9, 100000.0, 133000.0},
     {470e-9, 470e-9, 100000.0, 1200.0, 7500.0},
     {47e-9, 100000.0, 107500.0},
     {470e-9, 470e-9, 100000.0, 100000.0}},
    {"mV1_66_5",
     {1e-6, 100000.0, 136000.0},
     {680e-9, 680e-9, 100000.0, 1000.0, 10000.0},
     {1e-6, 100000.0, 110000.0},
     {680e-9, 680e-9, 100000.0, 100000.0}},
    {"mV1_66_11",
     {120e-9, 100000.0, 133000.0},
     {1e-6, 120e-9, 100000.0, 1000.0, 8200.0},
     {120e-9, 100000.0, 108200.0},
     {1e-6, 1e-6, 100000.0, 100000.0}},
    {"mV1_67_1",
     {100e-9, 100000.0, 133000.0},
     {100e-9, 100e-9, 100000.0, 820.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV1_72_1",
     {100e-9, 100000.0, 133000.0},
     {100e-9, 100e-9, 100000.0, 1000.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"m1_72_2",
     {100e-9, 82000.0, 115000.0},
     {100e-9, 100e-9, 100000.0, 820.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV2_RH_73_18",
     {100e-9, 100000.0, 133000.0},
     {100e-9, 150e-9, 100000.0, 820.0, 7500.0},
     {47e-9, 100000.0, 107500.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV2_Vio_1",
     {100e-9, 100000.0, 133000.0},
     {100e-9, 100e-9, 100000.0, 560.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV_75_Pi",
     {1e-6, 100000.0, 139000.0},
     {1e-6, 100e-9, 100000.0, 1000.0, 8200.0},
     {1e-6, 100000.0, 108200.0},
     {100e-9, 1e-6, 100000.0, 100000.0}},
    {"mV2_Vio_2",
     {100e-9, 100000.0, 139000.0},
     {100e-9, 100e-9, 100000.0, 1000.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV2_RH_74_3",
     {10e-6, 100000.0, 133000.0},
     {100e-9, 100e-9, 100000.0, 820.0, 10000.0},
     {1e-6, 100000.0, 110000.0},
     {100e-9, 10e-6, 100000.0, 100000.0}},
    {"mV2_RH_75_1",
     {10e-6, 41000.0, 80000.0},
     {100e-9, 100e-9, 100000.0, 820.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 1e-6, 100000.0, 100000.0}},
    {"mV2_RH_76_1",
     {1e-6, 47000.0, 86000.0},
     {100e-9, 100e-9, 100000.0, 1000.0, 10000.0},
     {100e-9, 100000.0, 110000.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV3_76_3",
     {10e-6, 47000.0, 86000.0},
     {1e-6, 100e-9, 100000.0, 1000.0, 10000.0},
     {100e-9, 100000.0, 110000.0},
     {100e-9, 100e-9, 100000.0, 100000.0}},
    {"mV3_79_2",
     {1e-6, 100000.0, 139000.0},
     {100e-9, 100e-9, 100000.0, 1000.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 1e-6, 100000.0, 100000.0}},
    {"mV6",
     {1e-6, 100000.0, 139000.0},
     {1e-6, 100e-9, 150000.0, 1000.0, 8200.0},
     {100e-9, 100000.0, 108200.0},
     {100e-9, 1e-6, 100000.0, 150000.0}},
};

inline constexpr int kNumCircuitModels = static_cast<int>(std::size(kCircuitModels));
