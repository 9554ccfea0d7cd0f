#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ZargHost;

namespace
{

// VST3 hosts call the first three, VST2 hosts the last.
TEST(ZargBundle, ExportsExactlyTheEntryPoints)
{
    const std::set<std::string> expected = {"GetPluginFactory", "ModuleEntry", "ModuleExit",
                                            "VSTPluginMain"};
    EXPECT_EQ(PluginModule::exportedSymbols(PluginModule::libraryPathOf(ZARG_BUNDLE)), expected);
}

// Two hosts in one process (a test and a tool it uses, say) load the same
// bundle: both share its one factory, and either may let go first.
TEST(ZargBundle, TwoLoadsOfTheBundleUnloadInEitherOrder)
{
    for (bool firstGoesFirst : {true, false})
    {
        auto first = std::make_unique<PluginModule>(ZARG_BUNDLE);
        auto second = std::make_unique<PluginModule>(ZARG_BUNDLE);
        ASSERT_TRUE(first->loaded()) << first->error();
        ASSERT_TRUE(second->loaded()) << second->error();
        for (PluginModule* module : {first.get(), second.get()})
        {
            Steinberg::PClassInfo info{};
            ASSERT_EQ(module->factory()->getClassInfo(0, &info), Steinberg::kResultOk);
            PluginInstance instance(module->factory(), Steinberg::FUID::fromTUID(info.cid),
                                    module->hostContext());
            ASSERT_TRUE(instance.created()) << instance.error();
            EXPECT_EQ(instance.initialize(), Steinberg::kResultOk);
        }
        if (firstGoesFirst)
            first.reset();
        second.reset();
        first.reset();
    }
}

} // namespace
