#pragma once

#include "RenderOptions.h"

#include <string>
#include <vector>

// Turns the command line into RenderOptions; throws a usage RenderError for
// anything malformed, before any bundle is loaded or file is touched.
class OptionParser
{
public:
    static RenderOptions parse(const std::vector<std::string>& args);
    static std::string usage();
};
