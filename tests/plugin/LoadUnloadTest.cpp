// A host that rescans or reloads plug-ins loads and unloads the bundle many
// times; under AddressSanitizer this shows that nothing leaks.
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST(LoadUnloadTest, HundredCyclesLeaveNothingBehind)
{
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        ZargHost::PluginModule module(ZARG_BUNDLE);
        ASSERT_TRUE(module.loaded()) << module.error();
        PClassInfo info{};
        ASSERT_EQ(module.factory()->getClassInfo(0, &info), kResultOk);
        ZargHost::PluginInstance plugin(module.factory(), FUID::fromTUID(info.cid),
                                        module.hostContext());
        ASSERT_EQ(plugin.initialize(), kResultOk);
        ASSERT_EQ(plugin.setupProcessing(48000.0, 128), kResultOk);
        ASSERT_EQ(plugin.activate(), kResultOk);
        ZargHost::ProcessBlock block({2}, {2}, 128, 48000.0);
        block.input(0, 0)[0] = 1.0f;
        ASSERT_EQ(plugin.process(block, 128), kResultOk);
        ASSERT_EQ(plugin.deactivate(), kResultOk);
        ASSERT_EQ(plugin.terminate(), kResultOk);
        ASSERT_EQ(plugin.release(), 0u);
    }
}
