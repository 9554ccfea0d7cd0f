#pragma once

#include <map>
#include <string>
#include <vector>

// Runs a program to its end, found on PATH unless the name holds a slash, with
// its output captured and, optionally, a few environment variables replaced.
class ChildProcess
{
public:
    struct Result
    {
        int exitCode = -1; // the signal's negative when a signal ended it
        std::string out;
        std::string err;
    };

    static Result run(const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& environment = {});
};
