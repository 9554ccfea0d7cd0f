#pragma once

#include "adapter/Taper.h"
#include "adapter/TaperParameter.h"

namespace Zeri2VST3
{
// Exponential taper: equal normalized steps multiply the plain value by the
// same factor, plain = min * (max / min)^normalized.
class VoltOctaveParameter : public TaperParameter
{
public:
    VoltOctaveParameter(const Steinberg::Vst::TChar* title, Steinberg::Vst::ParamID id,
                        const Steinberg::Vst::TChar* units, double minPlainValue,
                        double maxPlainValue, double defaultValuePlain,
                        Steinberg::int32 stepCount = 0,
                        Steinberg::int32 flags = Steinberg::Vst::ParameterInfo::kCanAutomate,
                        Steinberg::Vst::UnitID unitID = 0)
        : TaperParameter(Taper::voltOctavePlain, Taper::voltOctaveNormalized, title, id, units,
                         minPlainValue, maxPlainValue, defaultValuePlain, stepCount, flags, unitID)
    {
    }

    OBJ_METHODS(VoltOctaveParameter, TaperParameter)
};
} // namespace Zeri2VST3
