#include "adapter/TaperText.h"

#include "pluginterfaces/base/ustring.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Zeri2VST3
{
using namespace Steinberg;
using namespace Steinberg::Vst;

void printPlainValue(double plain, int32 precision, String128 text)
{
    char buffer[128];
    std::snprintf(buffer, sizeof(buffer), "%.*lf", static_cast<int>(precision), plain);
    UString(text, str16BufferSize(String128)).fromAscii(buffer);
}

bool scanPlainValue(const TChar* text, double minPlain, double maxPlain, double& plain)
{
    if (text == nullptr)
        return false;
    char buffer[128];
    UString128(text).toAscii(buffer, sizeof(buffer));
    double number = 0.0;
    if (std::sscanf(buffer, "%lf", &number) != 1 || std::isnan(number))
        return false;
    plain = std::clamp(number, std::min(minPlain, maxPlain), std::max(minPlain, maxPlain));
    return true;
}
} // namespace Zeri2VST3
