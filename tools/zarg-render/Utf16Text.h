#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <string>

// The plug-in reports names as UTF-16; the terminal wants UTF-8.
std::string toUtf8(const Steinberg::Vst::TChar* text);
// Case-insensitive for ASCII letters, which is all the plug-in's names use.
bool sameName(const std::string& a, const std::string& b);
