#pragma once

#include "TimedProcess.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// A command left running while the test looks at it, under coreutils' timeout
// as TimedProcess runs it, so that it ends even should the test die first.
// stop() ends it with SIGTERM, then SIGKILL after a grace period, sent to its
// whole process group: nothing it started is left behind. The destructor stops
// a process still running.
class BackgroundProcess
{
public:
    BackgroundProcess(const std::vector<std::string>& command,
                      const std::map<std::string, std::string>& environment,
                      const std::string& workFolder, std::string logBase, int seconds);
    ~BackgroundProcess();

    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    // How it ended, once it has (reaped here); nothing while it runs.
    const std::optional<TimedProcess::Outcome>& ended();
    // Ends it and says how it ended; its own end when it ended first.
    TimedProcess::Outcome stop(int graceSeconds = 5);

private:
    bool reap(bool wait);

    pid_t pid;
    std::string logs;
    std::optional<TimedProcess::Outcome> outcome;
};
