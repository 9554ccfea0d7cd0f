#pragma once

#include "RenderOptions.h"

#include <string>
#include <vector>

// The command: options in, a rendered file and a short report out. Every
// failure becomes one "zarg-render: ..." line on stderr and a non-zero exit.
class RenderTool
{
public:
    // 0 done, 1 failed, 2 bad command line, 130 interrupted.
    int run(const std::vector<std::string>& args);

private:
    void execute(const RenderOptions& options);
    static std::string bundlePath(const RenderOptions& options);
};
