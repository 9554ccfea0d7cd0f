#pragma once

#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include "pluginterfaces/base/ustring.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The built ZARG bundle loaded as a host loads it, and a way to open
// initialized instances of its one class.
class PluginFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.loaded()) << module.error();
        Steinberg::PClassInfo info{};
        ASSERT_EQ(module.factory()->getClassInfo(0, &info), Steinberg::kResultOk);
        classId = Steinberg::FUID::fromTUID(info.cid);
    }

    std::unique_ptr<ZargHost::PluginInstance> open()
    {
        auto instance = std::make_unique<ZargHost::PluginInstance>(module.factory(), classId,
                                                                   module.hostContext());
        EXPECT_TRUE(instance->created()) << instance->error();
        EXPECT_EQ(instance->initialize(), Steinberg::kResultOk);
        return instance;
    }

    static std::string text(const Steinberg::Vst::TChar* utf16)
    {
        std::string out;
        for (; utf16 && *utf16; ++utf16)
            out += *utf16 < 0x80 ? static_cast<char>(*utf16) : '?';
        return out;
    }

    ZargHost::PluginModule module{ZARG_BUNDLE};
    Steinberg::FUID classId;
};
