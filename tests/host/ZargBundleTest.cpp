#include "PluginModule.h"

#include <gtest/gtest.h>

using namespace ZargHost;

namespace
{

TEST(ZargBundle, ExportsExactlyTheEntryPoints)
{
    const std::set<std::string> expected = {"GetPluginFactory", "ModuleEntry", "ModuleExit"};
    EXPECT_EQ(PluginModule::exportedSymbols(PluginModule::libraryPathOf(ZARG_BUNDLE)), expected);
}

} // namespace
