#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Zeri2VST3
{
// Exponential taper: equal normalized steps multiply the plain value by the
// same factor, plain = min * (max / min)^normalized.
class VoltOctaveParameter : public Steinberg::Vst::Parameter
{
public:
    VoltOctaveParameter(const Steinberg::Vst::TChar* title, Steinberg::Vst::ParamID id,
                        const Steinberg::Vst::TChar* units, double minPlainValue,
                        double maxPlainValue, double defaultValuePlain,
                        Steinberg::int32 stepCount = 0,
                        Steinberg::int32 flags = Steinberg::Vst::ParameterInfo::kCanAutomate,
                        Steinberg::Vst::UnitID unitID = 0);

    void toString(Steinberg::Vst::ParamValue normalized,
                  Steinberg::Vst::String128 text) const override;
    bool fromString(const Steinberg::Vst::TChar* text,
                    Steinberg::Vst::ParamValue& normalized) const override;
    Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalized) const override;
    Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;

    virtual double getMin() const { return minPlain; }
    virtual void setMin(double value) { minPlain = value; }
    virtual double getMax() const { return maxPlain; }
    virtual void setMax(double value) { maxPlain = value; }

    // The mapping itself, for value conversions outside a parameter object.
    static double plainFromNormalized(double normalized, double minValue, double maxValue);
    static double normalizedFromPlain(double plain, double minValue, double maxValue);

    OBJ_METHODS(VoltOctaveParameter, Parameter)

protected:
    double minPlain;
    double maxPlain;
};
} // namespace Zeri2VST3
