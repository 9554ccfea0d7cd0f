#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Zeri2VST3
{

using Steinberg::Vst::ParamID;

// Parameters of the adapter's own; the controls take the ids 0 .. n-1.
constexpr ParamID kPitchBendId = 0x800;
constexpr ParamID kModWheelId = 0x801;
constexpr ParamID kMidiVolumeId = 0x802;
constexpr ParamID kMidiPanId = 0x803;
constexpr ParamID kMidiExpressionId = 0x804;
constexpr ParamID kSustainPedalId = 0x805;
constexpr ParamID kChannelPressureId = 0x806;
constexpr ParamID kAllNotesOffId = 0x807;
constexpr ParamID kBypassId = 0x808;
constexpr ParamID kAssignableButton1Id = 0x8000;
constexpr ParamID kAssignableButton2Id = 0x8001;
constexpr ParamID kAssignableButton3Id = 0x8002;
constexpr ParamID kJoystickXId = 0x8005;
constexpr ParamID kJoystickYId = 0x8006;
constexpr ParamID kPresetParamId = 0x70727374; // 'prst'

// Units reported through IUnitInfo.
constexpr Steinberg::Vst::UnitID kPresetsUnit = 0; // the unit hosts treat as the root
constexpr Steinberg::Vst::UnitID kRootUnit = 1;    // named "RootUnit"

} // namespace Zeri2VST3
