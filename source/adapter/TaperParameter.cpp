#include "adapter/TaperParameter.h"

#include "pluginterfaces/base/ustring.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Zeri2VST3
{
using namespace Steinberg;
using namespace Steinberg::Vst;

TaperParameter::TaperParameter(Curve plainCurve, Curve normalizedCurve, const TChar* title,
                               ParamID id, const TChar* units, double minPlainValue,
                               double maxPlainValue, double defaultValuePlain, int32 stepCount,
                               int32 flags, UnitID unitID)
    : Parameter(title, id, units, 0.0, stepCount, flags, unitID), plainOf(plainCurve),
      normalizedOf(normalizedCurve), minPlain(minPlainValue), maxPlain(maxPlainValue)
{
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

ParamValue TaperParameter::toPlain(ParamValue normalized) const
{
    return plainOf(normalized, minPlain, maxPlain);
}

ParamValue TaperParameter::toNormalized(ParamValue plain) const
{
    return normalizedOf(plain, minPlain, maxPlain);
}

void TaperParameter::toString(ParamValue normalized, String128 text) const
{
    char buffer[128];
    std::snprintf(buffer, sizeof(buffer), "%.*lf", static_cast<int>(precision),
                  toPlain(normalized));
    UString(text, str16BufferSize(String128)).fromAscii(buffer);
}

bool TaperParameter::fromString(const TChar* text, ParamValue& normalized) const
{
    if (text == nullptr)
        return false;
    char buffer[128];
    UString128(text).toAscii(buffer, sizeof(buffer));
    double number = 0.0;
    if (std::sscanf(buffer, "%lf", &number) != 1 || std::isnan(number))
        return false;
    normalized = toNormalized(
        std::clamp(number, std::min(minPlain, maxPlain), std::max(minPlain, maxPlain)));
    return true;
}
} // namespace Zeri2VST3
