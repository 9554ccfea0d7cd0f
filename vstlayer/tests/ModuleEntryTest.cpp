#include "public.sdk/source/main/moduleinit.h"

#include <gtest/gtest.h>

#include <vector>

extern "C" bool ModuleEntry(void* sharedLibraryHandle);
extern "C" bool ModuleExit();

namespace
{

std::vector<int> calls;

const Steinberg::ModuleInitializer first([] { calls.push_back(1); });
const Steinberg::ModuleInitializer second([] { calls.push_back(2); });
const Steinberg::ModuleTerminator firstTerminator([] { calls.push_back(-1); });
const Steinberg::ModuleTerminator secondTerminator([] { calls.push_back(-2); });

TEST(ModuleEntry, NestedEntriesSetUpOnceAndTearDownOnTheLastExit)
{
    calls.clear();
    int outer = 0;
    int inner = 0;
    ASSERT_TRUE(ModuleEntry(&outer));
    EXPECT_EQ(moduleHandle, &outer);
    EXPECT_EQ(Steinberg::getPlatformModuleHandle(), &outer);
    ASSERT_TRUE(ModuleEntry(&inner));
    EXPECT_EQ(moduleHandle, &outer) << "a nested entry keeps the first handle";
    EXPECT_EQ(calls, (std::vector<int>{1, 2}));

    EXPECT_TRUE(ModuleExit());
    EXPECT_EQ(calls, (std::vector<int>{1, 2}));
    EXPECT_EQ(moduleHandle, &outer);
    EXPECT_TRUE(ModuleExit());
    EXPECT_EQ(calls, (std::vector<int>{1, 2, -2, -1}));
    EXPECT_EQ(moduleHandle, nullptr);

    EXPECT_FALSE(ModuleExit()) << "an exit without an entry";
    EXPECT_EQ(calls, (std::vector<int>{1, 2, -2, -1}));

    // The count was not driven below zero: the next entry sets up again.
    ASSERT_TRUE(ModuleEntry(&inner));
    EXPECT_EQ(calls, (std::vector<int>{1, 2, -2, -1, 1, 2}));
    EXPECT_TRUE(ModuleExit());
    EXPECT_EQ(calls.back(), -1);
}

} // namespace
