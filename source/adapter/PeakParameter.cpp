#include "adapter/PeakParameter.h"

#include "pluginterfaces/base/ustring.h"

#include <cmath>
#include <cstdio>

namespace Zeri2VST3
{
using namespace Steinberg;
using namespace Steinberg::Vst;

PeakParameter::PeakParameter(int32 flags, ParamID id, const TChar* title)
    : Parameter(title, id, nullptr, 0.5, 0, flags, 0)
{
    valueNormalized = 1.0;
}

void PeakParameter::toString(ParamValue normalized, String128 text) const
{
    if (normalized > 0.0001)
    {
        const float db = 20.0f * std::log10(static_cast<float>(normalized));
        char buffer[64];
        std::snprintf(buffer, sizeof(buffer), "%.3f", static_cast<double>(db));
        UString(text, str16BufferSize(String128)).fromAscii(buffer);
    }
    else
    {
        text[0] = u'-';
        text[1] = u'\u221E';
        text[2] = 0;
    }
}

bool PeakParameter::fromString(const TChar*, ParamValue&) const
{
    return false;
}
} // namespace Zeri2VST3
