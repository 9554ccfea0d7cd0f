#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Zeri2VST3
{
// Display texts of the taper parameters: a plain value with a fixed number
// of decimals, and back.
void printPlainValue(double plain, Steinberg::int32 precision, Steinberg::Vst::String128 text);
// false when the text does not start with a number; a number outside
// minPlain..maxPlain is held to the range, so typed text never leaves it.
bool scanPlainValue(const Steinberg::Vst::TChar* text, double minPlain, double maxPlain,
                    double& plain);
} // namespace Zeri2VST3
