#include "adapter/ControlFraction.h"

#include "adapter/FastMath.h"
#include "framework/CControlDescriptor.h"

#include <cmath>

namespace Zeri2VST3
{

float controlFraction(const CControlDescriptor& control, double hostValue)
{
    float fraction = static_cast<float>(hostValue);
    if (control.logTaper)
        return std::log10(9.0f * fraction + 1.0f);
    if (control.voltOctaveTaper)
    {
        const float lo = control.minValue;
        const float hi = control.maxValue;
        fraction = (fastPow2(fastLog2(hi / lo) * fraction) * lo - lo) / (hi - lo);
    }
    return fraction;
}

} // namespace Zeri2VST3
