#pragma once

namespace Zeri2VST3
{
// Single-precision approximations of log2 and 2^x behind the volt/octave
// taper. The host's display and the DSP object's value must agree, so both
// sides use these and not the exact functions.
float fastLog2(float x);
float fastPow2(float p);
} // namespace Zeri2VST3
