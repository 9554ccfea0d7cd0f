#include "ScratchFolder.h"
#include "TimedProcess.h"
#include "Vst2Plugin.h"

#include "entry/Version.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Unpacking into the home folder must give ~/.vst3/ZARG.vst3 and the VST2 link
// ~/.vst/ZARG.so, and nothing beside them.
TEST_F(ReleaseArchive, HoldsTheBundleAndTheVst2LinkForTheHomeFolder)
{
    const TimedProcess::Outcome list = TimedProcess::run({"tar", "-tvzf", archive()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    std::vector<std::string> entries;
    for (const std::string& line : linesOf(list.out))
    {
        // "<mode> <owner> <size> <date> <time> <name>[ -> <target>]"
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5; ++i)
            fields >> field;
        std::string name;
        std::getline(fields >> std::ws, name);
        entries.push_back(name);
    }
    for (const std::string& entry : entries)
        EXPECT_TRUE(entry.rfind(".vst3/ZARG.vst3/", 0) == 0 || entry == ".vst3/" ||
                    entry == ".vst/" || entry.rfind(".vst/ZARG.so ", 0) == 0)
            << entry;
    for (const char* needed : {".vst3/ZARG.vst3/Contents/x86_64-linux/ZARG.so",
                               ".vst3/ZARG.vst3/Contents/Resources/zolv.uidesc",
                               ".vst3/ZARG.vst3/Contents/Resources/quorzelpanel.png",
                               ".vst/ZARG.so -> ../.vst3/ZARG.vst3/Contents/x86_64-linux/ZARG.so"})
        EXPECT_NE(std::find(entries.begin(), entries.end(), needed), entries.end()) << needed;
}

// The user's way: unpack into a fresh home and render through ~/.vst3/ZARG.vst3. The
// sound must equal the one the build's own bundle makes; a VST2 host finds the effect,
// with its editor, through ~/.vst/ZARG.so.
TEST_F(ReleaseArchive, UnpackedIntoAHomeRendersLikeTheBuiltBundle)
{
    const ScratchFolder home;
    const TimedProcess::Outcome unpack =
        TimedProcess::run({"tar", "-xzf", archive(), "-C", home.path()});
    ASSERT_EQ(unpack.exitCode, 0) << unpack.err;

    const std::string installed = home.file(".vst3/ZARG.vst3");
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

    Vst2Plugin vst2(home.file(".vst/ZARG.so"));
    ASSERT_TRUE(vst2.loaded()) << vst2.error();
    EXPECT_EQ(vst2.effect()->uniqueID, kZargVst2UniqueId);
    EXPECT_NE(vst2.effect()->flags & effFlagsHasEditor, 0);
}

} // namespace
