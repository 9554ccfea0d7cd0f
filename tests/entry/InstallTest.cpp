#include "ScratchFolder.h"
#include "TimedProcess.h"
#include "Vst2Plugin.h"

#include "entry/Version.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace
{

namespace fs = std::filesystem;

// `cmake --install` into a prefix of a fresh folder, as a user installs into ~/.vst3: the
// bundle goes there, and a link to its library beside it where VST2 hosts look.
TEST(Install, LinksTheLibraryWhereVst2HostsLook)
{
    struct Case
    {
        const char* prefix;
        std::optional<std::string> link;
    };
    const Case cases[] = {
        {".vst3", ".vst/ZARG.so"},
        {"usr/lib/vst3", "usr/lib/vst/ZARG.so"},
        {"plugins", std::nullopt}, // no VST3 folder: no place known for VST2
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.prefix);
        const ScratchFolder root;
        const std::string prefix = root.file(c.prefix);
        const TimedProcess::Outcome install = TimedProcess::run(
            {ZARG_CMAKE, "--install", ZARG_BUILD_DIR, "--prefix", prefix, "--component", "bundle"});
        ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
        const fs::path library = prefix + "/ZARG.vst3/Contents/x86_64-linux/ZARG.so";
        ASSERT_TRUE(fs::is_regular_file(library));
        if (!c.link)
        {
            EXPECT_EQ(root.entries(), (std::set<std::string>{c.prefix}));
            continue;
        }
        const fs::path link = root.file(*c.link);
        ASSERT_TRUE(fs::is_symlink(link)) << install.out;
        EXPECT_TRUE(fs::read_symlink(link).is_relative()) << "the folders may move together";
        EXPECT_TRUE(fs::equivalent(link, library));

        // Loaded through the link, as a VST2 host does: the effect, and an editor, as the
        // installed resources are found.
        Vst2Plugin plugin(link.string());
        ASSERT_TRUE(plugin.loaded()) << plugin.error();
        EXPECT_EQ(plugin.effect()->uniqueID, kZargVst2UniqueId);
        EXPECT_NE(plugin.effect()->flags & effFlagsHasEditor, 0);
    }
}

} // namespace
