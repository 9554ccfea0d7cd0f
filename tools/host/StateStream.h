#pragma once

#include "public.sdk/source/common/memorystream.h"

#include <vector>

namespace ZargHost
{

// A stream positioned at the start of saved bytes, as a host hands a state
// to the plug-in.
Steinberg::IPtr<Steinberg::MemoryStream> stateStream(const std::vector<char>& bytes);

} // namespace ZargHost
