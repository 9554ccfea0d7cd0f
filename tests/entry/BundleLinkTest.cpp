#include "TimedProcess.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// What a host on any Linux desktop can load ZARG.so beside, so the bundle may
// name it as NEEDED; everything else must be linked into the library.
// - the C runtime (glibc): libc, libm, and the libraries older toolchains split
//   off from it (libdl, libpthread, librt) and the dynamic loader;
// - the C++ runtime of the GCC toolchain: libstdc++ and libgcc_s (every desktop
//   application written in C++ needs them, the host included);
// - the drawing and window stack every X11 desktop runs on: Xlib, xcb and the
//   Xlib-xcb bridge, cairo, and the font libraries cairo draws text with
//   (fontconfig, freetype).
// Not allowed even though a desktop may have them: XML, image, compression and
// audio libraries (pugixml, libpng, zlib, sndfile), which vary by distribution
// and version and are linked statically instead.
const std::set<std::string> kDesktopLibraries = {
    "libc.so.6",          "libm.so.6",       "libdl.so.2",
    "libpthread.so.0",    "librt.so.1",      "ld-linux-x86-64.so.2",
    "libstdc++.so.6",     "libgcc_s.so.1",   "libX11.so.6",
    "libxcb.so.1",        "libX11-xcb.so.1", "libcairo.so.2",
    "libfontconfig.so.1", "libfreetype.so.6"};

// Sanitizer builds also need the sanitizers' runtimes (never in a release).
bool isSanitizerRuntime(const std::string& name)
{
    for (const char* prefix : {"libasan.so", "libubsan.so", "libtsan.so"})
        if (name.rfind(prefix, 0) == 0)
            return ZARG_TEST_SANITIZED;
    return false;
}

// The value in brackets of every dynamic-section line of the given tag.
std::vector<std::string> dynamicEntries(const std::string& tag)
{
    const TimedProcess::Outcome readelf = TimedProcess::run({"readelf", "-d", "-W", ZARG_LIBRARY});
    EXPECT_EQ(readelf.exitCode, 0) << readelf.err;
    std::vector<std::string> values;
    std::istringstream lines(readelf.out);
    for (std::string line; std::getline(lines, line);)
    {
        if (line.find("(" + tag + ")") == std::string::npos)
            continue;
        const size_t open = line.find('[');
        const size_t close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && close > open)
            values.push_back(line.substr(open + 1, close - open - 1));
    }
    return values;
}

TEST(BundleLinks, NeedsOnlyWhatEveryLinuxDesktopHas)
{
    const std::vector<std::string> needed = dynamicEntries("NEEDED");
    ASSERT_FALSE(needed.empty()) << "no dynamic section read from " << ZARG_LIBRARY;
    for (const std::string& library : needed)
        EXPECT_TRUE(kDesktopLibraries.contains(library) || isSanitizerRuntime(library))
            << library << " is not on every desktop: link it statically";
}

TEST(BundleLinks, SearchesNoFolderOfTheBuildMachine)
{
    EXPECT_EQ(dynamicEntries("RPATH"), std::vector<std::string>{});
    EXPECT_EQ(dynamicEntries("RUNPATH"), std::vector<std::string>{});
}

// The loader finds every library the bundle pulls in, directly or through the
// desktop libraries above.
TEST(BundleLinks, LoaderResolvesEveryLibrary)
{
    const TimedProcess::Outcome ldd = TimedProcess::run({"ldd", ZARG_LIBRARY});
    ASSERT_EQ(ldd.exitCode, 0) << ldd.out << ldd.err;
    EXPECT_EQ(ldd.out.find("not found"), std::string::npos) << ldd.out;
    EXPECT_NE(ldd.out.find("libc.so.6"), std::string::npos) << ldd.out;
}

} // namespace
