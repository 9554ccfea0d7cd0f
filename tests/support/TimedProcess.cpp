#include "TimedProcess.h"

#include "FileText.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace
{

// timeout's own statuses: the limit passed (124), or it had to send SIGKILL (137).
constexpr int kTimedOut = 124;
constexpr int kKilledAfterTimeout = 137;
// A status above this one reports the signal that ended a wrapped command.
constexpr int kSignalBase = 128;
// Time for a command to end after SIGTERM before it gets SIGKILL.
constexpr const char* kGraceSeconds = "5";

std::vector<std::string> environmentWith(const std::map<std::string, std::string>& additions)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
    {
        const std::string text = *entry;
        if (!additions.contains(text.substr(0, text.find('='))))
            entries.push_back(text);
    }
    for (const auto& [name, value] : additions)
        entries.push_back(name + "=" + value);
    return entries;
}

// The program's path through PATH, looked up before fork: the child may only
// make async-signal-safe calls.
std::string onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
    {
        const std::string candidate = folder + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    throw std::runtime_error(program + " is not on PATH");
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> list;
    for (std::string& s : strings)
        list.push_back(s.data());
    list.push_back(nullptr);
    return list;
}

} // namespace

std::string TimedProcess::Outcome::describe() const
{
    if (timedOut)
        return "timed out";
    if (signal)
        return std::string("crashed (") + strsignal(signal) + ")";
    return "exited with code " + std::to_string(exitCode);
}

pid_t TimedProcess::start(const std::vector<std::string>& command,
                          const std::map<std::string, std::string>& environment,
                          const std::string& workFolder, const std::string& logBase, int seconds)
{
    const std::string timeout = onPath("timeout");
    std::vector<std::string> argv{timeout, "--kill-after", kGraceSeconds, std::to_string(seconds)};
    argv.insert(argv.end(), command.begin(), command.end());
    std::vector<std::string> envp = environmentWith(environment);
    std::vector<char*> args = pointers(argv);
    std::vector<char*> env = pointers(envp);
    const std::string outPath = logBase + ".out";
    const std::string errPath = logBase + ".err";

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("cannot fork");
    if (pid == 0)
    {
        // A crashing host should not spend seconds writing a core file.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0 || chdir(workFolder.c_str()) != 0)
            _exit(127);
        execve(timeout.c_str(), args.data(), env.data());
        _exit(127);
    }
    return pid;
}

TimedProcess::Outcome TimedProcess::outcomeOf(int status, const std::string& logBase)
{
    Outcome outcome;
    if (WIFSIGNALED(status))
        // timeout ends itself with the signal that ended the command.
        outcome.signal = WTERMSIG(status);
    else if (WEXITSTATUS(status) == kTimedOut || WEXITSTATUS(status) == kKilledAfterTimeout)
        outcome.timedOut = true;
    else if (WEXITSTATUS(status) > kSignalBase)
        outcome.signal = WEXITSTATUS(status) - kSignalBase;
    else
        outcome.exitCode = WEXITSTATUS(status);
    outcome.out = fileText(logBase + ".out");
    outcome.err = fileText(logBase + ".err");
    return outcome;
}

TimedProcess::Outcome TimedProcess::run(const std::vector<std::string>& command,
                                        const std::map<std::string, std::string>& environment,
                                        const std::string& workFolder, const std::string& logBase,
                                        int seconds)
{
    const pid_t pid = start(command, environment, workFolder, logBase, seconds);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            throw std::runtime_error("lost the child process");
    return outcomeOf(status, logBase);
}

TimedProcess::Outcome TimedProcess::run(const std::vector<std::string>& command,
                                        const std::map<std::string, std::string>& environment)
{
    constexpr int kLimitSeconds = 600;
    std::string logs = (std::filesystem::temp_directory_path() / "zarg-process-XXXXXX").string();
    if (!mkdtemp(logs.data()))
        throw std::runtime_error("cannot make a folder for the output");
    struct Cleanup
    {
        std::string folder;
        ~Cleanup() { std::filesystem::remove_all(folder); }
    } cleanup{logs};
    return run(command, environment, std::filesystem::current_path().string(), logs + "/command",
               kLimitSeconds);
}
