#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <string>

namespace VSTGUI::StringConvert
{

// UTF-16 (NUL-terminated, at most max units) to UTF-8; unpaired surrogates become U+FFFD.
std::string toUTF8(const Steinberg::char16* text, size_t max = 128);
// UTF-8 to UTF-16 into out (max units including the NUL); stops early rather than overflow.
void toUTF16(const std::string& text, Steinberg::char16* out, size_t max);

} // namespace VSTGUI::StringConvert
