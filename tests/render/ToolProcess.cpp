#include "ToolProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace
{

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ToolProcess::ToolProcess(const std::string& workFolder, const std::vector<std::string>& args,
                         bool stderrOnTerminal)
{
    std::vector<std::string> command{ZARG_RENDER_EXE};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : command)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int secondary = -1;
    if (stderrOnTerminal && openpty(&terminal, &secondary, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("no pseudo terminal");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workFolder.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logs.file("stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (stderrOnTerminal)
        posix_spawn_file_actions_adddup2(&actions, secondary, 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, logs.file("stderr").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (secondary >= 0)
        close(secondary);
    if (failed)
        throw std::runtime_error(std::string("cannot start ") + argv[0]);
}

ToolProcess::~ToolProcess()
{
    if (pid > 0)
    {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (terminal >= 0)
        close(terminal);
}

std::string ToolProcess::outputSoFar() const
{
    return contents(logs.file("stdout"));
}

void ToolProcess::signal(int number)
{
    kill(pid, number);
}

void ToolProcess::drainTerminal(bool untilClosed)
{
    char buffer[4096];
    for (;;)
    {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, untilClosed ? 1000 : 20) <= 0)
            return;
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        // EIO: the last holder of the other end has gone.
        if (got <= 0)
            return;
        terminalText.append(buffer, static_cast<size_t>(got));
    }
}

ToolProcess::Result ToolProcess::wait()
{
    int status = 0;
    for (;;)
    {
        // A terminal only holds so much: keep reading while the tool runs.
        if (terminal >= 0)
            drainTerminal(false);
        const pid_t done = waitpid(pid, &status, terminal >= 0 ? WNOHANG : 0);
        if (done == pid)
            break;
        if (done < 0)
            throw std::runtime_error("lost the tool's process");
    }
    pid = -1;
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.out = contents(logs.file("stdout"));
    if (terminal >= 0)
    {
        drainTerminal(true);
        result.err = terminalText;
    }
    else
        result.err = contents(logs.file("stderr"));
    return result;
}

ToolProcess::Result ToolProcess::run(const std::string& workFolder,
                                     const std::vector<std::string>& args)
{
    return ToolProcess(workFolder, args).wait();
}
