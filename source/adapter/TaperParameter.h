#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Zeri2VST3
{
// A host parameter over a plain range through a taper curve (Taper.h): the
// base of LogParameter and VoltOctaveParameter. Its texts show the plain
// value with the parameter's precision.
class TaperParameter : public Steinberg::Vst::Parameter
{
public:
    // A curve between the normalized value and the plain value, either way:
    // (value, minPlain, maxPlain) -> the other value.
    using Curve = double (*)(double value, double minPlain, double maxPlain);

    void toString(Steinberg::Vst::ParamValue normalized,
                  Steinberg::Vst::String128 text) const override;
    // false when the text does not start with a number; a number outside the
    // range is held to it, so typed text never leaves it.
    bool fromString(const Steinberg::Vst::TChar* text,
                    Steinberg::Vst::ParamValue& normalized) const override;
    Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalized) const override;
    Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;

    virtual double getMin() const { return minPlain; }
    virtual void setMin(double value) { minPlain = value; }
    virtual double getMax() const { return maxPlain; }
    virtual void setMax(double value) { maxPlain = value; }

    OBJ_METHODS(TaperParameter, Parameter)

protected:
    TaperParameter(Curve plainCurve, Curve normalizedCurve, const Steinberg::Vst::TChar* title,
                   Steinberg::Vst::ParamID id, const Steinberg::Vst::TChar* units,
                   double minPlainValue, double maxPlainValue, double defaultValuePlain,
                   Steinberg::int32 stepCount, Steinberg::int32 flags,
                   Steinberg::Vst::UnitID unitID);

private:
    Curve plainOf;
    Curve normalizedOf;
    double minPlain;
    double maxPlain;
};
} // namespace Zeri2VST3
