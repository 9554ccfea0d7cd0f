#pragma once

#include "adapter/Taper.h"
#include "adapter/TaperParameter.h"

namespace Zeri2VST3
{
// Logarithmic taper: the upper 2.4 decades of the normalized range cover
// min...max; smaller normalized values fall below min.
class LogParameter : public TaperParameter
{
public:
    LogParameter(const Steinberg::Vst::TChar* title, Steinberg::Vst::ParamID id,
                 const Steinberg::Vst::TChar* units, double minPlainValue, double maxPlainValue,
                 double defaultValuePlain, Steinberg::int32 stepCount = 0,
                 Steinberg::int32 flags = Steinberg::Vst::ParameterInfo::kCanAutomate,
                 Steinberg::Vst::UnitID unitID = 0)
        : TaperParameter(Taper::logPlain, Taper::logNormalized, title, id, units, minPlainValue,
                         maxPlainValue, defaultValuePlain, stepCount, flags, unitID)
    {
    }

    OBJ_METHODS(LogParameter, TaperParameter)
};
} // namespace Zeri2VST3
