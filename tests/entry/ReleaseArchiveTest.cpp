#include "ScratchFolder.h"
#include "TimedProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

const std::string kArchiveName = std::string("ZARG-") + ZARG_VERSION + "-linux-x86_64.tar.gz";

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Makes the release archive once, with the configuration `--target package` uses,
// into a folder of its own.
class ReleaseArchive : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new ScratchFolder;
        packaging = TimedProcess::run(
            {ZARG_CPACK, "-G", "TGZ", "--config", ZARG_CPACK_CONFIG, "-B", folder->path()});
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    void SetUp() override
    {
        ASSERT_EQ(packaging.exitCode, 0) << packaging.out << packaging.err;
        ASSERT_TRUE(std::filesystem::is_regular_file(archive())) << folder->path();
    }

    static std::string archive() { return folder->file(kArchiveName); }

    static ScratchFolder* folder;
    static TimedProcess::Outcome packaging;
};

ScratchFolder* ReleaseArchive::folder = nullptr;
TimedProcess::Outcome ReleaseArchive::packaging;

// Unpacking into ~/.vst3 must give ~/.vst3/ZARG.vst3 and nothing beside it.
TEST_F(ReleaseArchive, HoldsTheBundleAtItsTop)
{
    const TimedProcess::Outcome list = TimedProcess::run({"tar", "-tzf", archive()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const std::vector<std::string> entries = linesOf(list.out);
    for (const std::string& entry : entries)
        EXPECT_EQ(entry.rfind("ZARG.vst3/", 0), 0u) << entry;
    for (const char* needed :
         {"ZARG.vst3/Contents/x86_64-linux/ZARG.so", "ZARG.vst3/Contents/Resources/zolv.uidesc",
          "ZARG.vst3/Contents/Resources/quorzelpanel.png"})
        EXPECT_NE(std::find(entries.begin(), entries.end(), needed), entries.end()) << needed;
}

// The user's way: unpack into a fresh home's ~/.vst3 and render through that
// bundle. The sound must equal the one the build's own bundle makes.
TEST_F(ReleaseArchive, UnpackedIntoVst3FolderRendersLikeTheBuiltBundle)
{
    const ScratchFolder home;
    const std::string vst3 = home.file(".vst3");
    std::filesystem::create_directories(vst3);
    const TimedProcess::Outcome unpack = TimedProcess::run({"tar", "-xzf", archive(), "-C", vst3});
    ASSERT_EQ(unpack.exitCode, 0) << unpack.err;

    const std::string installed = vst3 + "/ZARG.vst3";
    const TimedProcess::Outcome render =
        TimedProcess::run({ZARG_RENDER_EXE, "--bundle", installed, "--out", home.file("out.wav")},
                          {{"HOME", home.path()}});
    ASSERT_EQ(render.exitCode, 0) << render.out << render.err;
    EXPECT_NE(render.out.find("bundle   " + installed), std::string::npos) << render.out;

    const TimedProcess::Outcome reference = TimedProcess::run(
        {ZARG_RENDER_EXE, "--bundle", ZARG_BUNDLE_DIR, "--out", home.file("reference.wav")});
    ASSERT_EQ(reference.exitCode, 0) << reference.out << reference.err;
    const std::string sound = fileBytes(home.file("out.wav"));
    EXPECT_GT(sound.size(), 48000u * 4u) << "less than a second of sound";
    EXPECT_TRUE(sound == fileBytes(home.file("reference.wav")));
}

} // namespace
