#include "adapter/LogParameter.h"

#include "adapter/StableInverse.h"
#include "adapter/TaperText.h"

#include <cmath>

namespace Zeri2VST3
{
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
constexpr double kDecadeScale = 0.4166666666666667; // 1 / 2.4 decades
}

LogParameter::LogParameter(const TChar* title, ParamID id, const TChar* units, double minPlainValue,
                           double maxPlainValue, double defaultValuePlain, int32 stepCount,
                           int32 flags, UnitID unitID)
    : Parameter(title, id, units, 0.0, stepCount, flags, unitID), minPlain(minPlainValue),
      maxPlain(maxPlainValue)
{
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

ParamValue LogParameter::toPlain(ParamValue normalized) const
{
    const float v = static_cast<float>(normalized);
    const float a =
        v <= 0.0f ? 0.0f
                  : static_cast<float>(1.0 + kDecadeScale * static_cast<double>(std::log10(v)));
    return minPlain + (maxPlain - minPlain) * static_cast<double>(a);
}

ParamValue LogParameter::toNormalized(ParamValue plain) const
{
    // An empty range has no taper; 0 keeps NaN away from the host.
    if (maxPlain == minPlain)
        return 0.0;
    // Grid points equally spaced in plain value, over the 2.4 decades below the top.
    return stableNormalized(
        plain, minPlain, maxPlain, [this](double normalized) { return toPlain(normalized); },
        [](double position)
        { return static_cast<float>(std::pow(10.0, (position - 1.0) / kDecadeScale)); });
}

void LogParameter::toString(ParamValue normalized, String128 text) const
{
    printPlainValue(toPlain(normalized), precision, text);
}

bool LogParameter::fromString(const TChar* text, ParamValue& normalized) const
{
    double plain = 0.0;
    if (!scanPlainValue(text, minPlain, maxPlain, plain))
        return false;
    normalized = toNormalized(plain);
    return true;
}
} // namespace Zeri2VST3
