// The background runner's rules, with /bin/sh standing in for Ardour's GUI.
#include "BackgroundProcess.h"
#include "FileText.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

namespace
{

using namespace std::chrono_literals;

class BackgroundProcessTest : public testing::Test
{
protected:
    std::unique_ptr<BackgroundProcess> start(const std::string& script)
    {
        return std::make_unique<BackgroundProcess>(
            std::vector<std::string>{"/bin/sh", "-c", script}, std::map<std::string, std::string>{},
            folder.path(), folder.file("sh"), 60);
    }

    // Whether a process of that id still runs (a zombie does not).
    static bool running(int pid)
    {
        const std::string stat = fileText("/proc/" + std::to_string(pid) + "/stat");
        const size_t close = stat.rfind(')');
        return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
    }

    // Whether it ends within a second: a signal's effect is not immediate.
    static bool ends(int pid)
    {
        for (int i = 0; i < 50 && running(pid); ++i)
            std::this_thread::sleep_for(20ms);
        return !running(pid);
    }

    // The number the script wrote into a file, once it has.
    int readPid(const std::string& name)
    {
        for (int i = 0; i < 100 && fileText(folder.file(name)).empty(); ++i)
            std::this_thread::sleep_for(20ms);
        return std::stoi(fileText(folder.file(name)));
    }

    ScratchFolder folder;
};

TEST_F(BackgroundProcessTest, ACrashIsReportedOnceItHappens)
{
    const auto process = start("sleep 0.2; kill -SEGV $$");
    EXPECT_FALSE(process->ended()) << "still sleeping";
    for (int i = 0; i < 100 && !process->ended(); ++i)
        std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(process->ended());
    EXPECT_EQ(process->ended()->signal, SIGSEGV);
    EXPECT_EQ(process->stop().signal, SIGSEGV) << "stopping an ended process tells its end";
}

TEST_F(BackgroundProcessTest, StoppingEndsWhatTheCommandStarted)
{
    const auto process = start("sleep 60 & echo $! > child; wait");
    const int child = readPid("child");
    ASSERT_TRUE(running(child));
    EXPECT_EQ(process->stop().signal, SIGTERM);
    EXPECT_TRUE(ends(child));
}

TEST_F(BackgroundProcessTest, ACommandDeafToSigtermIsKilledAfterTheGrace)
{
    const auto process = start("trap '' TERM; echo $$ > pid; while :; do sleep 0.05; done");
    const int shell = readPid("pid");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(process->stop(1).signal, SIGKILL);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 3s);
    EXPECT_TRUE(ends(shell));
}

TEST_F(BackgroundProcessTest, TheDestructorStopsItToo)
{
    auto process = start("echo $$ > pid; sleep 60");
    const int shell = readPid("pid");
    process.reset();
    EXPECT_TRUE(ends(shell));
}

} // namespace
