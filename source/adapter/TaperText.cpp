#include "adapter/TaperText.h"

#include "pluginterfaces/base/ustring.h"

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

bool scanPlainValue(const TChar* text, double& plain)
{
    if (text == nullptr)
        return false;
    char buffer[128];
    UString128(text).toAscii(buffer, sizeof(buffer));
    return std::sscanf(buffer, "%lf", &plain) == 1;
}
} // namespace Zeri2VST3
