#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

// Identity of the small effect that exercises the SDK layer and the DAW-like host.
namespace ZargTestEffect
{

inline const Steinberg::FUID kEffectUID(0x5A415247, 0x54455354, 0x45464643, 0x54000001);
// Registered through the UTF-16 record, to exercise the text conversions.
inline const Steinberg::FUID kUnicodeEffectUID(0x5A415247, 0x54455354, 0x45464643, 0x54000002);

constexpr const char* kVendor = "Velmora Test";
constexpr const char* kUrl = "https://velmora.invalid/test";
constexpr const char* kEmail = "ZARG Test 0.0.1.0";
constexpr const char* kName = "ZARG Test Effect";
constexpr const char* kSubCategories = "Fx|Test";
constexpr const char* kVersion = "0.0.1.0";

// Gain: normalized 0..1 maps to 0..2 (0.5 is unity).
constexpr Steinberg::Vst::ParamID kGainId = 0;
// Read-only outputs that make what process saw visible to the host.
constexpr Steinberg::Vst::ParamID kLastNoteId = 1;     // pitch / 127 of the last note-on
constexpr Steinberg::Vst::ParamID kTempoId = 2;        // tempo / 1000 when the context has one
constexpr Steinberg::Vst::ParamID kBlockSamplesId = 3; // numSamples / maxSamplesPerBlock

} // namespace ZargTestEffect
