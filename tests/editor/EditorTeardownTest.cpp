// The view's teardown in the orders hosts actually use.
#include "EditorInXServer.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

using namespace Steinberg;
using namespace std::chrono_literals;

namespace
{

// removed() after the host's loop has ended: it has let go of every handler already.
TEST_F(EditorInXServer, RemovedAfterTheHostsRunLoopStopped)
{
    IPtr<IPlugView> view = attach();
    loop->runFor(100ms);
    ASSERT_EQ(host->children().size(), 1u);
    loop->stop();
    EXPECT_EQ(view->removed(), kResultOk);
    view->setFrame(nullptr);
    view = nullptr;
    EXPECT_TRUE(host->children().empty()) << "the window went with the view";
}

// Attaching fails in several ways; removed() then is harmless, leaves nothing behind,
// and the same view attaches properly afterwards.
TEST_F(EditorInXServer, RemovedAfterAFailedAttach)
{
    // An id that was a window and is no longer.
    const xcb_window_t gone = xcb_generate_id(host->connection);
    xcb_create_window(host->connection, XCB_COPY_FROM_PARENT, gone, host->screen->root, 0, 0, 9, 9,
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, host->screen->root_visual, 0, nullptr);
    xcb_destroy_window(host->connection, gone);
    std::free(xcb_get_input_focus_reply(host->connection, xcb_get_input_focus(host->connection),
                                        nullptr));

    struct Case
    {
        const char* what;
        bool withFrame;
        void* parent;
        FIDString type;
    };
    const Case cases[] = {
        {"no plug frame", false, host->parent(), kPlatformTypeX11EmbedWindowID},
        {"a window that does not exist", true, reinterpret_cast<void*>(uintptr_t{gone}),
         kPlatformTypeX11EmbedWindowID},
        {"a platform it does not support", true, host->parent(), kPlatformTypeHWND},
    };
    for (const Case& c : cases)
    {
        IPtr<IPlugView> view = owned(plugin->controller().createView(Vst::ViewType::kEditor));
        ASSERT_TRUE(view);
        if (c.withFrame)
            view->setFrame(loop);
        EXPECT_NE(view->attached(c.parent, c.type), kResultTrue) << c.what;
        view->removed();
        EXPECT_TRUE(loop->timers().empty()) << c.what;
        EXPECT_TRUE(loop->descriptors().empty()) << c.what;
        EXPECT_TRUE(host->children().empty()) << c.what;

        view->setFrame(loop);
        EXPECT_EQ(view->attached(host->parent(), kPlatformTypeX11EmbedWindowID), kResultTrue)
            << c.what;
        loop->runFor(30ms);
        EXPECT_EQ(host->children().size(), 1u) << c.what;
        detach(view);
    }
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A host process that exits with the editor open must end cleanly. (It never
// terminates the plug-in, so what it leaves is no leak of ours.)
TEST(EditorAtProcessExit, HostExitsWithTheEditorOpen)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X server (CTest runs this under xvfb-run)";
    for (const char* mode : {"release-at-exit", "exit-inside-timer"})
    {
        const std::string errors = std::filesystem::temp_directory_path() /
                                   ("zarg-exit-" + std::to_string(::getpid()) + ".txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::string program = ZARG_EXIT_HELPER;
        std::string argument = mode;
        char* argv[] = {program.data(), argument.data(), nullptr};
        pid_t pid = -1;
        std::vector<std::string> variables;
        for (char** v = environ; *v; ++v)
            if (std::strncmp(*v, "ASAN_OPTIONS=", 13) != 0)
                variables.emplace_back(*v);
        variables.emplace_back("ASAN_OPTIONS=detect_leaks=0");
        std::vector<char*> envp;
        for (std::string& v : variables)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        waitpid(pid, &status, 0);
        const std::string stderrText = fileText(errors);
        std::filesystem::remove(errors);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << mode << ": status " << status << "\n"
            << stderrText;
    }
}

} // namespace
