#pragma once

class CControlDescriptor;

namespace Zeri2VST3
{

// The linear 0..1 fraction the plug-in object takes for a control's host
// (normalised) value: through the control's taper, so that the object lands
// on the plain value the host parameter shows.
float controlFraction(const CControlDescriptor& control, double hostValue);

} // namespace Zeri2VST3
