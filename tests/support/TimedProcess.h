#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// A command run under coreutils' timeout, in a folder, with variables added
// to this process's environment, its output caught in files beside it.
class TimedProcess
{
public:
    struct Outcome
    {
        bool timedOut = false;
        int signal = 0;    // the signal that ended the command, 0 when none did
        int exitCode = -1; // when it exited by itself
        std::string out;
        std::string err;

        bool crashed() const { return signal != 0; }
        std::string describe() const;
    };

    // logBase: the output goes to logBase.out and logBase.err.
    static Outcome run(const std::vector<std::string>& command,
                       const std::map<std::string, std::string>& environment,
                       const std::string& workFolder, const std::string& logBase, int seconds);
    // In this process's folder, at most ten minutes, the output caught in a
    // temporary folder of its own.
    static Outcome run(const std::vector<std::string>& command,
                       const std::map<std::string, std::string>& environment = {});

    // The same command started and not waited for: the caller reaps the
    // process (it leads a process group of its own, as timeout makes it).
    static pid_t start(const std::vector<std::string>& command,
                       const std::map<std::string, std::string>& environment,
                       const std::string& workFolder, const std::string& logBase, int seconds);
    // What a wait status of a started command says, with its output.
    static Outcome outcomeOf(int status, const std::string& logBase);
};
