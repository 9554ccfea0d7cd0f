#pragma once

class CControlDescriptor;

namespace Zeri2VST3
{
// The curves of the tapered controls, forward and inverse. Two 0..1 values
// meet here: the host's normalized value, the parameter's tapered position
// that hosts store and automate, and the plug-in object's fraction, the
// linear position in the control's range that setNormalizedControlValue
// takes (CControlDescriptor::plainAt). The single-precision steps belong to
// the curves: the host's text and the object's value agree because both
// sides round alike.
namespace Taper
{
// Volt/octave: plain ~ min * (max / min)^normalized, through fastLog2 and
// fastPow2. The fraction is the curve's own; the plain value follows from it.
float voltOctaveFraction(double normalized, double minPlain, double maxPlain);
double voltOctavePlain(double normalized, double minPlain, double maxPlain);
double voltOctaveNormalized(double plain, double minPlain, double maxPlain);

// Logarithmic as the host shows it: the upper 2.4 decades of the normalized
// range cover min..max; smaller normalized values fall below min.
double logPlain(double normalized, double minPlain, double maxPlain);
double logNormalized(double plain, double minPlain, double maxPlain);

// Logarithmic as the plug-in object takes it, fraction = log10(9 n + 1): not
// the curve the host shows.
float logFraction(double normalized);
double logNormalizedOfFraction(float fraction);

// A control's fraction for the host's normalized value (a host change), and
// the normalized value for a plain value (a preset load).
float controlFraction(const CControlDescriptor& control, double normalized);
double controlNormalized(const CControlDescriptor& control, float plain);
} // namespace Taper
} // namespace Zeri2VST3
