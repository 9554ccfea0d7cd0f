#include "ChildProcess.h"

#include "ScratchFolder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
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

// The current environment with the given variables replaced or added.
std::vector<std::string> environmentWith(const std::map<std::string, std::string>& replaced)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
    {
        const char* equals = std::strchr(*entry, '=');
        const std::string name(*entry, equals ? static_cast<size_t>(equals - *entry) : 0);
        if (!replaced.contains(name))
            entries.emplace_back(*entry);
    }
    for (const auto& [name, value] : replaced)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ChildProcess::Result ChildProcess::run(const std::vector<std::string>& args,
                                       const std::map<std::string, std::string>& environment)
{
    ScratchFolder logs;
    std::vector<std::string> command = args;
    std::vector<std::string> variables = environmentWith(environment);
    const std::vector<char*> argv = pointersTo(command);
    const std::vector<char*> envp = pointersTo(variables);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logs.file("stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, logs.file("stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + args.front());

    int status = 0;
    waitpid(pid, &status, 0);
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.out = contents(logs.file("stdout"));
    result.err = contents(logs.file("stderr"));
    return result;
}
