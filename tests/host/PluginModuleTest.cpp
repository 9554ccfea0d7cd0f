#include "TestEffectIds.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ZargHost;

namespace
{

bool stillMapped(const std::string& library)
{
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

TEST(PluginModule, LibraryPathFollowsTheBundleLayout)
{
    EXPECT_EQ(PluginModule::libraryPathOf("/a/B.vst3"), "/a/B.vst3/Contents/x86_64-linux/B.so");
    EXPECT_EQ(PluginModule::libraryPathOf("/a/B.vst3/"), "/a/B.vst3/Contents/x86_64-linux/B.so");
}

TEST(PluginModule, LoadFailuresAreReportedAndLeaveNothingLoaded)
{
    const std::string broken = ZARG_BROKEN_BUNDLES;
    struct Case
    {
        std::string bundle;
        std::string message;
    };
    const Case cases[] = {
        {"/nonexistent/Missing.vst3", "cannot open"},
        {broken + "/NotElf.vst3", "cannot open"},
        {broken + "/BrokenNoEntry.vst3", "has no ModuleEntry"},
        {broken + "/BrokenNoFactory.vst3", "has no GetPluginFactory"},
        {broken + "/BrokenFailingEntry.vst3", "failed"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bundle);
        PluginModule module(c.bundle);
        EXPECT_FALSE(module.loaded());
        EXPECT_EQ(module.factory(), nullptr);
        EXPECT_NE(module.error().find(c.message), std::string::npos) << module.error();
        EXPECT_FALSE(stillMapped(module.libraryPath()));
    }
}

TEST(PluginModule, HandsOutTheFactoryThroughTheEntryPoints)
{
    PluginModule module(ZARG_TEST_BUNDLE);
    ASSERT_TRUE(module.loaded()) << module.error();
    EXPECT_TRUE(module.error().empty());

    PFactoryInfo info;
    ASSERT_EQ(module.factory()->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, ZargTestEffect::kVendor);
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
    ASSERT_EQ(module.factory()->countClasses(), 2);

    FUnknownPtr<IPluginFactory3> factory3(module.factory());
    ASSERT_TRUE(factory3);
    PClassInfoW infoW;
    ASSERT_EQ(factory3->getClassInfoUnicode(1, &infoW), kResultOk);
    EXPECT_EQ(std::u16string(infoW.name), u"Z\u00e4rg \U0001D11E");
    PClassInfo2 info2;
    ASSERT_EQ(factory3->getClassInfo2(1, &info2), kResultOk);
    EXPECT_STREQ(info2.name, "Z\xC3\xA4rg \xF0\x9D\x84\x9E");
}

TEST(PluginModule, BundleExportsExactlyTheEntryPoints)
{
    const std::set<std::string> expected = {"GetPluginFactory", "ModuleEntry", "ModuleExit"};
    EXPECT_EQ(PluginModule::exportedSymbols(PluginModule::libraryPathOf(ZARG_TEST_BUNDLE)),
              expected);
}

// Run under the address sanitizer build, where leak checking at exit makes
// any leak per load fail the test.
TEST(PluginModule, LoadsRunsAndUnloadsAHundredTimes)
{
    const std::string library = PluginModule::libraryPathOf(ZARG_TEST_BUNDLE);
    for (int round = 0; round < 100; ++round)
    {
        SCOPED_TRACE(round);
        {
            PluginModule module(ZARG_TEST_BUNDLE);
            ASSERT_TRUE(module.loaded()) << module.error();
            PluginInstance plugin(module.factory(), ZargTestEffect::kEffectUID,
                                  module.hostContext());
            ASSERT_TRUE(plugin.created()) << plugin.error();
            ASSERT_EQ(plugin.initialize(), kResultOk);
            ASSERT_EQ(plugin.setupProcessing(44100.0, 64), kResultOk);
            ASSERT_EQ(plugin.activate(), kResultOk);
            ProcessBlock block({2}, {2}, 64);
            block.inputChanges().add(ZargTestEffect::kGainId, 0, 0.25);
            ASSERT_EQ(plugin.process(block, 64), kResultOk);
            ASSERT_EQ(plugin.release(), 0u);
        }
        ASSERT_FALSE(stillMapped(library)) << "the library stayed loaded after ModuleExit";
    }
}

} // namespace
