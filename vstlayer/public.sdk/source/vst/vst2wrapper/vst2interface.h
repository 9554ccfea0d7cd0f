#pragma once

// The VST 2.4 interface: Debian's clean-room fst header (its #warning notes to its own
// developers are silenced by the fst target's -Wno-cpp), and the numbers the header
// leaves unnamed (it marks them unknown with placeholder values), as the interface's
// public documentation lists them.
#include "aeffectx.h"

namespace Steinberg::Vst::Vst2
{

// Plug-in opcodes.
constexpr int kEffSetBypass = 44;
constexpr int kEffGetTailSize = 52;

// Host opcodes.
constexpr int kAudioMasterIOChanged = 13;
constexpr int kAudioMasterUpdateDisplay = 42;

// VstPinProperties flags.
constexpr int kPinIsActive = 1 << 0;
constexpr int kPinIsStereo = 1 << 1;

} // namespace Steinberg::Vst::Vst2
