#include "BackgroundProcess.h"

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>
#include <utility>

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& command,
                                     const std::map<std::string, std::string>& environment,
                                     const std::string& workFolder, std::string logBase,
                                     int seconds)
    : pid(TimedProcess::start(command, environment, workFolder, logBase, seconds)),
      logs(std::move(logBase))
{
}

BackgroundProcess::~BackgroundProcess()
{
    stop();
}

bool BackgroundProcess::reap(bool wait)
{
    if (outcome)
        return true;
    // Ended but not yet reaped, its id still names its group.
    siginfo_t info{};
    const int options = WEXITED | WNOWAIT | (wait ? 0 : WNOHANG);
    while (waitid(P_PID, static_cast<id_t>(pid), &info, options) < 0)
        if (errno != EINTR)
            return false;
    if (info.si_pid != pid)
        return false;
    // Whatever its command started goes with it.
    kill(-pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
    {
    }
    outcome = TimedProcess::outcomeOf(status, logs);
    return true;
}

const std::optional<TimedProcess::Outcome>& BackgroundProcess::ended()
{
    reap(false);
    return outcome;
}

TimedProcess::Outcome BackgroundProcess::stop(int graceSeconds)
{
    if (reap(false))
        return *outcome;
    kill(-pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(graceSeconds);
    while (!reap(false) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!outcome)
    {
        kill(-pid, SIGKILL);
        reap(true);
    }
    return *outcome;
}
