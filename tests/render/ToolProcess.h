#pragma once

#include "ScratchFolder.h"

#include <sys/types.h>

#include <string>
#include <vector>

// zarg-render started as a user starts it: its own process, working in a
// given folder, its stdout and stderr captured outside that folder (or its
// stderr on a pseudo terminal, to see what a user at a terminal sees).
class ToolProcess
{
public:
    struct Result
    {
        int exitCode = -1; // the signal's negative when a signal ended it
        std::string out;
        std::string err;
    };

    ToolProcess(const std::string& workFolder, const std::vector<std::string>& args,
                bool stderrOnTerminal = false);
    ~ToolProcess();

    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    std::string outputSoFar() const;
    void signal(int number);
    Result wait();

    static Result run(const std::string& workFolder, const std::vector<std::string>& args);

private:
    void drainTerminal(bool untilClosed);

    ScratchFolder logs;
    pid_t pid = -1;
    int terminal = -1;
    std::string terminalText;
};
