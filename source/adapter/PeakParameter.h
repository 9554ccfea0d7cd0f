#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Zeri2VST3
{
// Read-only level meter: the normalized value is the linear level and the
// text shows it in dB.
class PeakParameter : public Steinberg::Vst::Parameter
{
public:
    PeakParameter(Steinberg::int32 flags, Steinberg::Vst::ParamID id,
                  const Steinberg::Vst::TChar* title);

    void toString(Steinberg::Vst::ParamValue normalized,
                  Steinberg::Vst::String128 text) const override;
    // A meter cannot be typed in.
    bool fromString(const Steinberg::Vst::TChar* text,
                    Steinberg::Vst::ParamValue& normalized) const override;

    OBJ_METHODS(PeakParameter, Parameter)
};
} // namespace Zeri2VST3
