#include "TestEffect.h"
#include "TestEffectIds.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "public.sdk/source/main/pluginfactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

int liveEffects = 0;

class CountedEffect : public ZargTestEffect::TestEffect
{
public:
    CountedEffect() { ++liveEffects; }
    ~CountedEffect() override { --liveEffects; }
    static FUnknown* create(void*) { return static_cast<IAudioProcessor*>(new CountedEffect); }
};

FUnknown* createNothing(void*)
{
    return nullptr;
}

FUnknown* createThrowing(void*)
{
    throw std::bad_alloc();
}

const FUID kAsciiUID(1, 2, 3, 4);
const FUID kClass2UID(5, 6, 7, 8);
const FUID kWideUID(9, 10, 11, 12);

class PluginFactoryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        TUID cid;
        kAsciiUID.toTUID(cid);
        PClassInfo ascii(cid, 1, "Service", "Plain");
        ASSERT_TRUE(factory->registerClass(&ascii, CountedEffect::create));

        kClass2UID.toTUID(cid);
        PClassInfo2 info2(cid, PClassInfo::kManyInstances, kVstAudioEffectClass, "Z\xC3\xA4rg", 0,
                          "Fx|Distortion", nullptr, "1.2.3.4", "VST 3.7.2");
        ASSERT_TRUE(factory->registerClass(&info2, CountedEffect::create));

        kWideUID.toTUID(cid);
        PClassInfoW wide(cid, 2, kVstAudioEffectClass, u"Wide \u00e4\U0001D11E", 7, "Fx",
                         u"Vend\u00f6r", u"9.9", u"VST 3.7.2");
        ASSERT_TRUE(factory->registerClass(&wide, CountedEffect::create));
    }

    IPtr<CPluginFactory> factory = owned(new CPluginFactory(
        PFactoryInfo("Velmora", "https://x.invalid", "ZARG 0.0.1.0", PFactoryInfo::kUnicode)));
};

TEST_F(PluginFactoryTest, ReportsFactoryInfoAndClassCount)
{
    PFactoryInfo info;
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Velmora");
    EXPECT_STREQ(info.url, "https://x.invalid");
    EXPECT_STREQ(info.email, "ZARG 0.0.1.0");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
    EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
    EXPECT_EQ(factory->countClasses(), 3);
}

TEST_F(PluginFactoryTest, EveryClassReadsInEveryForm)
{
    struct Case
    {
        const FUID& cid;
        int32 cardinality;
        const char* name8;
        const char16_t* name16;
        const char* version8;
        const char16_t* version16;
        const char16_t* vendor16;
        uint32 flags;
    };
    const Case cases[] = {
        {kAsciiUID, 1, "Plain", u"Plain", "", u"", u"", 0},
        {kClass2UID, PClassInfo::kManyInstances, "Z\xC3\xA4rg", u"Z\u00e4rg", "1.2.3.4", u"1.2.3.4",
         u"", 0},
        {kWideUID, 2, "Wide \xC3\xA4\xF0\x9D\x84\x9E", u"Wide \u00e4\U0001D11E", "9.9", u"9.9",
         u"Vend\u00f6r", 7},
    };
    for (int32 i = 0; i < 3; ++i)
    {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        PClassInfo info1;
        PClassInfo2 info2;
        PClassInfoW infoW;
        ASSERT_EQ(factory->getClassInfo(i, &info1), kResultOk);
        ASSERT_EQ(factory->getClassInfo2(i, &info2), kResultOk);
        ASSERT_EQ(factory->getClassInfoUnicode(i, &infoW), kResultOk);

        EXPECT_TRUE(c.cid == FUID::fromTUID(info1.cid));
        EXPECT_TRUE(c.cid == FUID::fromTUID(info2.cid));
        EXPECT_TRUE(c.cid == FUID::fromTUID(infoW.cid));
        EXPECT_EQ(info1.cardinality, c.cardinality);
        EXPECT_EQ(infoW.cardinality, c.cardinality);
        EXPECT_STREQ(info1.name, c.name8);
        EXPECT_STREQ(info2.name, c.name8);
        EXPECT_EQ(std::u16string(infoW.name), c.name16);
        EXPECT_STREQ(info2.version, c.version8);
        EXPECT_EQ(std::u16string(infoW.version), c.version16);
        EXPECT_EQ(std::u16string(infoW.vendor), c.vendor16);
        EXPECT_EQ(info2.classFlags, c.flags);
        EXPECT_EQ(infoW.classFlags, c.flags);
        EXPECT_STREQ(infoW.category, info1.category);
        EXPECT_STREQ(infoW.subCategories, info2.subCategories);
    }
    PClassInfo2 info2;
    EXPECT_EQ(factory->getClassInfo2(3, &info2), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfo2(-1, &info2), kInvalidArgument);
    EXPECT_EQ(factory->getClassInfoUnicode(0, nullptr), kInvalidArgument);
    EXPECT_TRUE(factory->isClassRegistered(kWideUID));
    EXPECT_FALSE(factory->isClassRegistered(FUID(1, 1, 1, 1)));
}

TEST_F(PluginFactoryTest, LongWideNameIsCutAtACharacterBoundary)
{
    // 63 two-byte characters cannot fit 64 bytes: the cut must not split one.
    std::u16string name(63, u'\u00e4');
    TUID cid;
    FUID(13, 14, 15, 16).toTUID(cid);
    PClassInfoW wide(cid, 1, "Service", name.c_str(), 0, "", nullptr, nullptr, nullptr);
    ASSERT_TRUE(factory->registerClass(&wide, CountedEffect::create));
    PClassInfo2 info2;
    ASSERT_EQ(factory->getClassInfo2(3, &info2), kResultOk);
    EXPECT_EQ(std::strlen(info2.name), 62u);
    for (size_t i = 0; i < 62; i += 2)
        EXPECT_EQ(std::string(info2.name + i, 2), "\xC3\xA4");
}

TEST_F(PluginFactoryTest, MalformedUtf8BecomesReplacementCharacters)
{
    TUID cid;
    FUID(17, 18, 19, 20).toTUID(cid);
    // A byte that never starts a character, then a sequence cut short.
    PClassInfo2 info2(cid, 1, "Service",
                      "A\xFF"
                      "B\xE2\x82",
                      0, "", nullptr, nullptr, nullptr);
    ASSERT_TRUE(factory->registerClass(&info2, CountedEffect::create));
    PClassInfoW infoW;
    ASSERT_EQ(factory->getClassInfoUnicode(3, &infoW), kResultOk);
    EXPECT_EQ(std::u16string(infoW.name), u"A\uFFFDB\uFFFD");
}

TEST_F(PluginFactoryTest, CreateInstanceHandsOverTheOnlyReference)
{
    TUID cid;
    kClass2UID.toTUID(cid);
    void* obj = nullptr;
    ASSERT_EQ(factory->createInstance(cid, IComponent::iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(liveEffects, 1);
    auto* component = static_cast<IComponent*>(obj);
    BusInfo info{};
    EXPECT_EQ(component->getBusInfo(kAudio, kInput, 0, info), kInvalidArgument)
        << "a usable IComponent, not yet initialized";
    EXPECT_EQ(component->release(), 0u);
    EXPECT_EQ(liveEffects, 0);
}

TEST_F(PluginFactoryTest, CreateInstanceFailuresLeaveNothingBehind)
{
    TUID known;
    kAsciiUID.toTUID(known);
    TUID unknown;
    FUID(42, 42, 42, 42).toTUID(unknown);

    void* obj = &obj;
    EXPECT_EQ(factory->createInstance(known, IPluginFactory::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(liveEffects, 0) << "the instance that lacked the interface was released";

    obj = &obj;
    EXPECT_EQ(factory->createInstance(unknown, IComponent::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->createInstance(known, IComponent::iid, nullptr), kInvalidArgument);
    EXPECT_EQ(factory->createInstance(nullptr, IComponent::iid, &obj), kInvalidArgument);

    TUID failing;
    FUID(7, 7, 7, 7).toTUID(failing);
    PClassInfo nothing(failing, 1, "Service", "Nothing");
    factory->registerClass(&nothing, createNothing);
    EXPECT_EQ(factory->createInstance(failing, IComponent::iid, &obj), kOutOfMemory);

    TUID throwing;
    FUID(8, 8, 8, 8).toTUID(throwing);
    PClassInfo thrower(throwing, 1, "Service", "Thrower");
    factory->registerClass(&thrower, createThrowing);
    EXPECT_EQ(factory->createInstance(throwing, IComponent::iid, &obj), kOutOfMemory);
    EXPECT_EQ(obj, nullptr);

    EXPECT_FALSE(factory->registerClass(static_cast<const PClassInfo*>(nullptr), createNothing));
    EXPECT_FALSE(factory->registerClass(&nothing, nullptr));
}

TEST_F(PluginFactoryTest, CountsReferencesAndHoldsTheHostContext)
{
    void* obj = nullptr;
    ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, &obj), kResultOk);
    EXPECT_EQ(obj, static_cast<IPluginFactory3*>(factory.get()));
    ASSERT_EQ(factory->queryInterface(FUnknown::iid, &obj), kResultOk);
    EXPECT_EQ(factory->addRef(), 4u);
    EXPECT_EQ(factory->release(), 3u);
    EXPECT_EQ(factory->release(), 2u);
    EXPECT_EQ(factory->release(), 1u);
    EXPECT_EQ(factory->queryInterface(IComponent::iid, &obj), kNoInterface);

    IPtr<FObject> context = owned(new FObject);
    EXPECT_EQ(factory->setHostContext(context), kResultOk);
    EXPECT_EQ(context->getRefCount(), 2);
    factory = nullptr;
    EXPECT_EQ(context->getRefCount(), 1) << "the factory let go of the context when it died";
}

// GetPluginFactory as the factory-definition macros build it.
TEST(FactoryDefinition, FirstCallBuildsLaterCallsShareTheFactory)
{
    ASSERT_EQ(gPluginFactory, nullptr);
    IPluginFactory* first = GetPluginFactory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, static_cast<IPluginFactory*>(gPluginFactory));
    IPluginFactory* second = GetPluginFactory();
    EXPECT_EQ(first, second);

    PFactoryInfo info;
    ASSERT_EQ(first->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, ZargTestEffect::kVendor);
    EXPECT_STREQ(info.email, ZargTestEffect::kEmail);
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
    ASSERT_EQ(first->countClasses(), 2);

    void* obj = nullptr;
    ASSERT_EQ(first->queryInterface(IPluginFactory2::iid, &obj), kResultOk);
    auto* factory2 = static_cast<IPluginFactory2*>(obj);
    PClassInfo2 info2;
    ASSERT_EQ(factory2->getClassInfo2(0, &info2), kResultOk);
    EXPECT_TRUE(FUID::fromTUID(info2.cid) == ZargTestEffect::kEffectUID);
    EXPECT_STREQ(info2.category, kVstAudioEffectClass);
    EXPECT_STREQ(info2.name, ZargTestEffect::kName);
    EXPECT_STREQ(info2.subCategories, ZargTestEffect::kSubCategories);
    EXPECT_STREQ(info2.version, ZargTestEffect::kVersion);
    EXPECT_STREQ(info2.sdkVersion, kVstVersionString);
    EXPECT_EQ(info2.cardinality, PClassInfo::kManyInstances);
    factory2->release();

    EXPECT_EQ(second->release(), 1u);
    EXPECT_EQ(first->release(), 0u);
    EXPECT_EQ(gPluginFactory, nullptr) << "the dead factory is not handed out again";

    IPluginFactory* fresh = GetPluginFactory();
    EXPECT_EQ(fresh->countClasses(), 2);
    EXPECT_EQ(fresh->release(), 0u);
}

} // namespace
