#include "adapter/VoltOctaveParameter.h"

#include "adapter/FastMath.h"
#include "adapter/StableInverse.h"
#include "adapter/TaperText.h"

namespace Zeri2VST3
{
using namespace Steinberg;
using namespace Steinberg::Vst;

VoltOctaveParameter::VoltOctaveParameter(const TChar* title, ParamID id, const TChar* units,
                                         double minPlainValue, double maxPlainValue,
                                         double defaultValuePlain, int32 stepCount, int32 flags,
                                         UnitID unitID)
    : Parameter(title, id, units, 0.0, stepCount, flags, unitID), minPlain(minPlainValue),
      maxPlain(maxPlainValue)
{
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

double VoltOctaveParameter::plainFromNormalized(double normalized, double minValue, double maxValue)
{
    if (maxValue == minValue)
        return minValue;
    const float octaves = fastLog2(static_cast<float>(maxValue / minValue));
    const float e = fastPow2(octaves * static_cast<float>(normalized));
    const auto lo = static_cast<float>(minValue);
    const float lin = (e * lo - lo) / static_cast<float>(maxValue - minValue);
    return minValue + (maxValue - minValue) * static_cast<double>(lin);
}

double VoltOctaveParameter::normalizedFromPlain(double plain, double minValue, double maxValue)
{
    // An empty range has no taper.
    if (maxValue == minValue)
        return 0.0;
    return stableNormalized(
        plain, minValue, maxValue,
        [minValue, maxValue](double normalized)
        { return plainFromNormalized(normalized, minValue, maxValue); },
        [](double position) { return position; });
}

ParamValue VoltOctaveParameter::toPlain(ParamValue normalized) const
{
    return plainFromNormalized(normalized, minPlain, maxPlain);
}

ParamValue VoltOctaveParameter::toNormalized(ParamValue plain) const
{
    return normalizedFromPlain(plain, minPlain, maxPlain);
}

void VoltOctaveParameter::toString(ParamValue normalized, String128 text) const
{
    printPlainValue(toPlain(normalized), precision, text);
}

bool VoltOctaveParameter::fromString(const TChar* text, ParamValue& normalized) const
{
    double plain = 0.0;
    if (!scanPlainValue(text, minPlain, maxPlain, plain))
        return false;
    normalized = toNormalized(plain);
    return true;
}
} // namespace Zeri2VST3
