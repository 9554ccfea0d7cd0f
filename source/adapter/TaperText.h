#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Zeri2VST3
{
// Display texts of the taper parameters: a plain value with a fixed number
// of decimals, and back.
void printPlainValue(double plain, Steinberg::int32 precision, Steinberg::Vst::String128 text);
// false when the text does not start with a number
bool scanPlainValue(const Steinberg::Vst::TChar* text, double& plain);
} // namespace Zeri2VST3
