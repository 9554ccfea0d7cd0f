#include "dsp/CToneStackFIR.h"

#include <iterator>

namespace
{
struct Parts
{
    double cl, ch, rlow, r2, rp;
};

// k: capacitor factor of the guitar type, e: Mids, f: SlopeShift.
using Formula = CCircuitFIR::Coefficients (*)(const Parts& parts, double k, double e, double f);

constexpr double kSourceResistance = 1000.0;

// Log-like taper of the mid controls: 0 -> 0, 0.5 -> 0.1, 1 -> 0.9.
double midTaper(double v)
{
    return v <= 0.5 ? 0.2 * v : 1.6 * v - 0.7;
}

CCircuitFIR::Coefficients classic(const Parts& p, double k, double e, double f)
{
    const double cl = k * p.cl;
    const double ch = k * p.ch;
    const double rf = f * p.rlow;
    const double r2 = p.r2;
    const double rp = p.rp;
    const double rs = kSourceResistance;
    CCircuitFIR::Coefficients c;
    c.b2 = e * cl * ch * rf * r2 * rp;
    c.b1 = ch * r2 * (rf + rp);
    c.b0 = (1.0 - e) * rp + r2;
    c.a2 = cl * ch * (rp * ((rf + rs) * r2 + rs * rf) + rs * rf * r2);
    c.a1 = (rf * cl + ch * r2 + ch * rs + cl * rs) * rp + ((ch + cl) * rf + cl * rs) * r2 +
           ch * rs * rf;
    c.a0 = rf + r2 + rp + rs;
    return c;
}

CCircuitFIR::Coefficients symmetric(const Parts&, double k, double e, double f)
{
    const double cap = 1e-9 * k;
    const double t = 470000.0 * f;
    CCircuitFIR::Coefficients c;
    c.b2 = cap * cap * (4.7e11 * (e * t + 1e5) + 1e16 * (1.0 - e) + 4.7e10 * (t + 1e5));
    c.b1 = cap * (1e6 * (2e5 * (1.0 - e) + 4.7e5) + 4.7e5 * (t + 2e5));
    c.b0 = (1.0 - e) * 1e6 + 470000.0;
    c.a2 = cap * cap *
           (1e6 * (4.7e5 * (t + 101000.0) + 1e5 * 101000.0 + 1e5 * (t + 1000.0) + 1000.0 * t) +
            4.7e5 * (1e5 * (t + 1000.0) + 1e5 * (t + 1e5) + 1000.0 * t) +
            1e5 * (1e5 * (t + 1000.0) + 1000.0 * t));
    c.a1 = cap * (1e6 * (t + 2e5 + 4.7e5 + 2000.0) + 4.7e5 * (2.0 * t + 201000.0) +
                  2e5 * (t + 1000.0) + 1000.0 * t);
    c.a0 = t + 1e6 + 470000.0 + 1000.0;
    return c;
}

CCircuitFIR::Coefficients treble(const Parts&, double k, double e, double)
{
    const double g = 0.82e-9 * k;
    // The square of the GUITAR value of g; it does not follow the guitar type.
    const double s = 6.724e-19;
    CCircuitFIR::Coefficients c;
    c.b2 = s * 1e18 * (2.0 * e - e * e);
    c.b1 = 2e12 * g;
    c.b0 = 1e6;
    c.a2 = s * (1.002e18 + 2.001e18 * (e - e * e));
    c.a1 = 4.003e12 * g;
    c.a0 = 2001000.0;
    return c;
}

CCircuitFIR::Coefficients bass1(const Parts&, double k, double e, double)
{
    const double cap = 10e-9 * k;
    CCircuitFIR::Coefficients c;
    c.b1 = cap * 1e11;
    c.b0 = e * 1e6 + 1e5;
    c.a1 = cap * 2.01e11;
    c.a0 = 1201000.0;
    return c;
}

CCircuitFIR::Coefficients bass2(const Parts&, double k, double e, double)
{
    const double cap = 0.68e-9 * k;
    const double cap2 = 4.7e-9 * k;
    CCircuitFIR::Coefficients c;
    c.b1 = cap2 * e * 1e6 * 68000.0;
    c.b0 = e * 1e6 + 68000.0;
    c.a1 = (1.0 - e) * cap * 101000.0 * 1e6 + c.b1;
    c.a0 = 1169000.0;
    return c;
}

CCircuitFIR::Coefficients midCut1(const Parts&, double k, double e, double)
{
    const double i = 10e-9 * k;
    const double h = 1e-9 * k;
    const double m = midTaper(e);
    CCircuitFIR::Coefficients c;
    c.b2 = i * h * (1e10 + 2e11 * m);
    c.b1 = 2e5 * h + 1e6 * i * m;
    c.b0 = 1.0;
    c.a2 = i * h * (1.02e10 + 2e11 * m);
    c.a1 = 1.01e5 * i + 2e5 * h + 1e6 * i * m;
    c.a0 = 1.0;
    return c;
}

CCircuitFIR::Coefficients midCut2(const Parts&, double k, double e, double)
{
    const double cap = 1e-9 * k;
    CCircuitFIR::Coefficients c;
    c.b2 = 1e11 * cap * cap;
    c.b1 = 1e6 * cap * e + 2e5 * cap;
    c.b0 = 1.0;
    c.a2 = 1.01e11 * cap * cap;
    c.a1 = 1.202e6 * cap;
    c.a0 = 1.0;
    return c;
}

// Third order; SlopeShift acts as a second pot. The two fixed 3.3 nF parts do not follow
// the guitar type.
CCircuitFIR::Coefficients paraMid(const Parts&, double k, double e, double f)
{
    const double cc = 3.3e-9;
    const double c2 = 1.0890000000000001e-17;
    const double c3 = 3.5937000000000006e-26;
    const double h = 3.3e-9 * k;
    const double i = midTaper((f - 0.25) / 3.75);
    const double o =
        1e9 * (i - 2.0) * (2.0 * h * cc + c2) - 1e10 * (2.0 * i * h * cc + (i + 1.0) * c2);
    const double v = 1e5 * (i - 2.0) * (cc + h) - 2e4 * h;
    CCircuitFIR::Coefficients c;
    c.b3 = c3 * (1e17 * (i * i - 2.0 * i) - 1e15 * (9.0 * i + 2.0));
    c.b2 = 1e11 * (i - 2.0) * (cc * h * (2.0 * i + e) + c2 * (i + e)) + o - 1e12 * c2 * i * e;
    c.b1 = -1e6 * ((i + e) * h + i * cc) + v;
    c.b0 = -1.0;
    c.a3 = c3 * (1e17 * (i * i - 2.0 * i) + 1e14 * (i - 2.0) - 1e15 * (10.0 * i + 2.0));
    c.a2 = 1e11 * (i - 2.0) * ((2.0 * i + 1.0) * h * cc + (i + 1.0) * c2) +
           1e8 * (i - 2.0) * (2.0 * h * cc + c2) + o - 1e12 * i * c2 -
           1e9 * (2.0 * i * h * cc + (i + 1.0) * c2);
    c.a1 = -1e6 * ((i + 1.0) * h + i * cc) + v - 2000.0 * h;
    c.a0 = -1.0;
    return c;
}

CCircuitFIR::Coefficients bypass(const Parts&, double k, double, double)
{
    const double cap = 100e-9 * k;
    CCircuitFIR::Coefficients c;
    c.b1 = cap * cap * 1e5;
    c.b0 = 0.0;
    c.a1 = cap * cap * 251000.0;
    c.a0 = 2.0 * cap;
    return c;
}

struct Type
{
    const char* name;
    double scale;
    Formula formula;
    Parts parts; // farads and ohms; read by the classic formula alone
};

// In control order: the TS_Type value indexes this table.
constexpr Type kTypes[] = {
    {"t2022", 1.4, classic, {10e-9, 3.9e-9, 20000.0, 22000.0, 100000.0}},
    {"t2222", 1.4, classic, {10e-9, 4e-9, 22000.0, 22000.0, 100000.0}},
    {"t2727", 1.4, classic, {10e-9, 4e-9, 27000.0, 27000.0, 100000.0}},
    {"t3333", 1.4, classic, {12e-9, 4e-9, 33000.0, 33000.0, 100000.0}},
    {"t3333a", 1.4, classic, {10e-9, 4e-9, 33000.0, 33000.0, 100000.0}},
    {"t3333b", 1.4, classic, {6.8e-9, 4e-9, 33000.0, 33000.0, 100000.0}},
    {"t3922", 1.4, classic, {10e-9, 4e-9, 39000.0, 22000.0, 100000.0}},
    {"t3922a", 1.4, classic, {10e-9, 4e-9, 39000.0, 22000.0, 150000.0}},
    {"t3939", 1.4, classic, {10e-9, 4e-9, 39000.0, 39000.0, 100000.0}},
    {"tFlat", 1.0, classic, {1e-9, 1e-9, 470000.0, 470000.0, 1000000.0}},
    {"tScoop", 1.0, classic, {3.3e-9, 1e-9, 470000.0, 470000.0, 1000000.0}},
    {"tHump", 1.0, classic, {1e-9, 2.2e-9, 470000.0, 470000.0, 1000000.0}},
    {"tSymmetric", 1.0, symmetric, {}},
    {"tTreble", 1.0, treble, {}},
    {"tBass1", 1.0, bass1, {}},
    {"tBass2", 1.0, bass2, {}},
    {"tMidCut1", 0.75, midCut1, {}},
    {"tMidCut2", 0.75, midCut2, {}},
    {"tParaMid", 0.75, paraMid, {}},
    {"tBypass", 1.4, bypass, {}},
};
} // namespace

CToneStackFIR::CToneStackFIR(const Config& config, int fs) : CCircuitFIR(config)
{
    designModel(0, 0, 0.5, 1.0, fs);
}

int CToneStackFIR::typeCount()
{
    return static_cast<int>(std::size(kTypes));
}

const char* CToneStackFIR::typeName(int type)
{
    return kTypes[type].name;
}

double CToneStackFIR::scale(int type)
{
    return kTypes[type].scale;
}

CToneStackFIR::Coefficients CToneStackFIR::coefficients(int type, int guitarType, double mids,
                                                        double slopeShift)
{
    const double k = guitarType == 1 ? 2.0 : 1.0;
    const Type& t = kTypes[type];
    return t.formula(t.parts, k, mids, slopeShift);
}

void CToneStackFIR::designModel(int type, int guitarType, double mids, double slopeShift, int fs)
{
    if (static_cast<unsigned>(type) >= std::size(kTypes))
    {
        updateTaps();
        return;
    }
    design(coefficients(type, guitarType, mids, slopeShift), scale(type), fs);
}
