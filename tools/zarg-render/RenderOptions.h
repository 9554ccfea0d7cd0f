#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the command line asked for.
struct RenderOptions
{
    std::string bundle; // empty: the default bundle
    std::optional<std::string> preset;
    // --set TITLE=VALUE, in the order given.
    std::vector<std::pair<std::string, std::string>> settings;
    std::optional<double> rate; // only for the built-in signal
    int blockSize = 512;
    std::string output = "out.wav";
    std::string input; // empty: the built-in signal
    bool list = false;
    bool help = false;
};
