// zarg-snapshot run as a user runs it: its picture is the panel's, after the preset named.
#include "PanelImage.h"

#include "offscreen/OffscreenPanel.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

// The tool's exit status, its output thrown away; -1 when it did not run to an end.
int runTool(const std::vector<std::string>& args)
{
    static char tool[] = ZARG_SNAPSHOT_TOOL;
    std::vector<char*> argv{tool};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

int differingPixels(const PanelImage& a, const PanelImage& b)
{
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            n += a.rgb(x, y) != b.rgb(x, y);
    return n;
}

} // namespace

class SnapshotTool : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("zarg-snapshot-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string file(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(SnapshotTool, DrawsThePanelAfterThePresetNamed)
{
    ASSERT_EQ(runTool({"--preset", "hard rock", "--out", file("hard.png")}), 0);
    ASSERT_EQ(runTool({"--out", file("default.png")}), 0);
    const PanelImage hard(file("hard.png"));
    const PanelImage initial(file("default.png"));
    ASSERT_TRUE(hard.loaded() && initial.loaded());
    EXPECT_EQ(hard.width(), 306);
    EXPECT_EQ(hard.height(), 426);
    EXPECT_GT(differingPixels(hard, initial), 0) << "the preset shows";

    // The same as the panel opened here with that preset loaded.
    OffscreenPanel panel(ZARG_BUNDLE);
    ASSERT_TRUE(panel.ok()) << panel.error();
    panel.loadPreset(panel.findPreset("Hard Rock"));
    ASSERT_TRUE(panel.writePNG(file("here.png")));
    EXPECT_EQ(differingPixels(hard, PanelImage(file("here.png"))), 0);
}

TEST_F(SnapshotTool, RefusesWhatItCannotDo)
{
    const std::string out = file("out.png");
    EXPECT_EQ(runTool({"--preset", "No Such Preset", "--out", out}), 1);
    EXPECT_EQ(runTool({"--bundle", file("missing.vst3"), "--out", out}), 1);
    EXPECT_EQ(runTool({"--out", file("no-folder/out.png")}), 1);
    EXPECT_EQ(runTool({"--preset", "OD"}), 2) << "no output named";
    EXPECT_EQ(runTool({"--out"}), 2);
    EXPECT_EQ(runTool({"--size", "2", "--out", out}), 2);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(runTool({"--help"}), 0);
}
