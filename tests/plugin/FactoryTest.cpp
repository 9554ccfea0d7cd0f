#include "PluginFixture.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstring>
#include <dlfcn.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

using FactoryTest = PluginFixture;

TEST_F(FactoryTest, SameFactoryOnEveryCallWithOneMoreReference)
{
    using GetFactory = IPluginFactory* (*)();
    void* handle = dlopen(module.libraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto get = reinterpret_cast<GetFactory>(dlsym(handle, "GetPluginFactory"));
    ASSERT_NE(get, nullptr);
    IPluginFactory* first = get();
    IPluginFactory* second = get();
    EXPECT_EQ(first, module.factory());
    EXPECT_EQ(second, first);
    // Each call added one; addRef/release report the count.
    const uint32 count = first->addRef();
    EXPECT_EQ(first->release(), count - 1);
    first->release();
    second->release();
    EXPECT_EQ(first->addRef(), count - 2);
    first->release();
    dlclose(handle);
}

TEST_F(FactoryTest, ReportsTheVendorAndOneEffectClass)
{
    IPluginFactory* factory = module.factory();
    PFactoryInfo info{};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Velmora");
    EXPECT_STREQ(info.email, "ZARG 0.0.1.0");
    EXPECT_EQ(info.flags, 16);
    EXPECT_GT(std::strlen(info.url), 0u);

    ASSERT_EQ(factory->countClasses(), 1);
    FUnknownPtr<IPluginFactory2> factory2(factory);
    ASSERT_TRUE(factory2);
    PClassInfo2 cls{};
    ASSERT_EQ(factory2->getClassInfo2(0, &cls), kResultOk);
    EXPECT_EQ(cls.cardinality, PClassInfo::kManyInstances);
    EXPECT_STREQ(cls.category, "Audio Module Class");
    EXPECT_STREQ(cls.name, "ZARG");
    EXPECT_EQ(cls.classFlags, 0u);
    EXPECT_STREQ(cls.subCategories, "FX|Distortion");
    EXPECT_STREQ(cls.vendor, "");
    EXPECT_STREQ(cls.version, "0.0.1.0");
    EXPECT_STREQ(cls.sdkVersion, "VST 3.6.6");
    EXPECT_EQ(FUID::fromTUID(cls.cid), classId);

    FUnknownPtr<IPluginFactory3> factory3(factory);
    ASSERT_TRUE(factory3);
    PClassInfoW wide{};
    ASSERT_EQ(factory3->getClassInfoUnicode(0, &wide), kResultOk);
    EXPECT_EQ(text(wide.name), "ZARG");
    PClassInfo none{};
    EXPECT_EQ(factory->getClassInfo(1, &none), kInvalidArgument);
}

TEST_F(FactoryTest, InstancesAreIndependent)
{
    auto a = open();
    auto b = open();
    ASSERT_NE(a->component(), b->component());
    ASSERT_EQ(a->controller()->setParamNormalized(0, 0.8), kResultOk);
    EXPECT_DOUBLE_EQ(a->controller()->getParamNormalized(0), 0.8);
    EXPECT_NE(b->controller()->getParamNormalized(0), 0.8);
    EXPECT_EQ(a->release(), 0u);
    EXPECT_EQ(b->release(), 0u);
}

TEST_F(FactoryTest, OffersEveryInterfaceOfTheProcessor)
{
    auto plugin = open();
    EXPECT_TRUE(plugin->processor());
    EXPECT_TRUE(plugin->controller());
    EXPECT_TRUE(plugin->unitInfo());
    EXPECT_TRUE(plugin->midiMapping());
    EXPECT_TRUE(plugin->connectionPoint());
    EXPECT_TRUE(plugin->query<IEditController2>());
    EXPECT_TRUE(plugin->query<IPluginBase>());
    EXPECT_FALSE(plugin->query<IPluginFactory>());
    EXPECT_EQ(plugin->terminate(), kResultOk);
    EXPECT_EQ(plugin->release(), 0u);
}

} // namespace
