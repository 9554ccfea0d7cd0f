#include "TestEffect.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// Nothing overridden but the bus set-up: what is tested is the base class.
class BareEffect : public SingleComponentEffect
{
public:
    tresult PLUGIN_API initialize(FUnknown* context) override
    {
        const tresult result = SingleComponentEffect::initialize(context);
        addAudioInput(STR16("In"), SpeakerArr::kStereo);
        addAudioInput(STR16("Side"), SpeakerArr::kMono, kAux, 0);
        addAudioOutput(STR16("Out"), SpeakerArr::kStereo);
        addEventInput(STR16("Notes"), 4);
        return result;
    }
    const ProcessSetup& setup() const { return processSetup; }
    Bus* bus(MediaType type, BusDirection dir, size_t index)
    {
        return getBusList(type, dir)->at(index).get();
    }
};

class SingleComponentEffectTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(effect->initialize(nullptr), kResultOk); }
    void TearDown() override { effect->terminate(); }

    IPtr<BareEffect> effect = owned(new BareEffect);
};

TEST_F(SingleComponentEffectTest, AnswersEveryInterfaceOfProcessorAndController)
{
    struct Case
    {
        const TUID& iid;
        void* expected;
    };
    BareEffect* e = effect.get();
    const Case cases[] = {
        {IComponent::iid, static_cast<IComponent*>(e)},
        {IAudioProcessor::iid, static_cast<IAudioProcessor*>(e)},
        {IEditController::iid, static_cast<IEditController*>(e)},
        {IEditController2::iid, static_cast<IEditController2*>(e)},
        {IUnitInfo::iid, static_cast<IUnitInfo*>(e)},
        {IConnectionPoint::iid, static_cast<IConnectionPoint*>(e)},
        {IPluginBase::iid, static_cast<IPluginBase*>(static_cast<ComponentBase*>(e))},
    };
    for (const auto& c : cases)
    {
        void* obj = nullptr;
        ASSERT_EQ(effect->queryInterface(c.iid, &obj), kResultOk);
        EXPECT_EQ(obj, c.expected);
        static_cast<FUnknown*>(obj)->release();
    }
    void* obj = &obj;
    EXPECT_EQ(effect->queryInterface(IPluginFactory::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    // Every successful query added one reference and the release above took it back.
    EXPECT_EQ(effect->getRefCount(), 1);
}

TEST_F(SingleComponentEffectTest, ClassNameChainAnswersTypeQueries)
{
    EXPECT_TRUE(effect->isTypeOf("SingleComponentEffect"));
    EXPECT_TRUE(effect->isTypeOf("EditControllerEx1"));
    EXPECT_TRUE(effect->isTypeOf("FObject"));
    EXPECT_FALSE(effect->isTypeOf("Component"));
    EXPECT_STREQ(SingleComponentEffect::getFClassID(), "SingleComponentEffect");

    IPtr<ZargTestEffect::TestEffect> derived = owned(new ZargTestEffect::TestEffect);
    EXPECT_TRUE(derived->isA("TestEffect"));
    EXPECT_FALSE(derived->isA("SingleComponentEffect"));
    EXPECT_NE(FCast<SingleComponentEffect>(derived.get()), nullptr);
}

TEST_F(SingleComponentEffectTest, ReportsBusInfo)
{
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 2);
    EXPECT_EQ(effect->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(effect->getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 0);

    struct Case
    {
        MediaType type;
        BusDirection dir;
        int32 index;
        int32 channels;
        const char16_t* name;
        BusType busType;
        uint32 flags;
    };
    const Case cases[] = {
        {kAudio, kInput, 0, 2, u"In", kMain, BusInfo::kDefaultActive},
        {kAudio, kInput, 1, 1, u"Side", kAux, 0},
        {kAudio, kOutput, 0, 2, u"Out", kMain, BusInfo::kDefaultActive},
        {kEvent, kInput, 0, 4, u"Notes", kMain, BusInfo::kDefaultActive},
    };
    for (const auto& c : cases)
    {
        BusInfo info{};
        ASSERT_EQ(effect->getBusInfo(c.type, c.dir, c.index, info), kResultTrue);
        EXPECT_EQ(info.mediaType, c.type);
        EXPECT_EQ(info.direction, c.dir);
        EXPECT_EQ(info.channelCount, c.channels);
        EXPECT_EQ(std::u16string(info.name), std::u16string(c.name));
        EXPECT_EQ(info.busType, c.busType);
        EXPECT_EQ(info.flags, c.flags);
    }
}

TEST_F(SingleComponentEffectTest, RejectsBusesThatDoNotExist)
{
    struct Case
    {
        MediaType type;
        BusDirection dir;
        int32 index;
    };
    const Case cases[] = {
        {kAudio, kInput, -1}, {kAudio, kInput, 2}, {kAudio, kOutput, 1},
        {kEvent, kOutput, 0}, {7, kInput, 0},      {kEvent, kInput, 1},
    };
    for (const auto& c : cases)
    {
        BusInfo info{};
        EXPECT_EQ(effect->getBusInfo(c.type, c.dir, c.index, info), kInvalidArgument);
        EXPECT_EQ(effect->activateBus(c.type, c.dir, c.index, true), kInvalidArgument);
    }
    EXPECT_EQ(effect->getBusCount(7, kInput), 0);
}

TEST_F(SingleComponentEffectTest, ActivatesAndDeactivatesBuses)
{
    Bus* side = effect->bus(kAudio, kInput, 1);
    EXPECT_FALSE(side->isActive());
    EXPECT_EQ(effect->activateBus(kAudio, kInput, 1, true), kResultTrue);
    EXPECT_TRUE(side->isActive());
    EXPECT_FALSE(effect->bus(kAudio, kInput, 0)->isActive());
    EXPECT_EQ(effect->activateBus(kAudio, kInput, 1, false), kResultTrue);
    EXPECT_FALSE(side->isActive());
}

TEST_F(SingleComponentEffectTest, SetBusArrangementsSetsLeadingBusesOnly)
{
    SpeakerArrangement ins[] = {SpeakerArr::kMono, SpeakerArr::kStereo, SpeakerArr::kMono};
    SpeakerArrangement outs[] = {SpeakerArr::k51};

    EXPECT_EQ(effect->setBusArrangements(ins, 1, outs, 1), kResultTrue);
    SpeakerArrangement arr = 0;
    ASSERT_EQ(effect->getBusArrangement(kInput, 0, arr), kResultTrue);
    EXPECT_EQ(arr, SpeakerArr::kMono);
    ASSERT_EQ(effect->getBusArrangement(kInput, 1, arr), kResultTrue);
    EXPECT_EQ(arr, SpeakerArr::kMono) << "the second input keeps its own arrangement";
    ASSERT_EQ(effect->getBusArrangement(kOutput, 0, arr), kResultTrue);
    EXPECT_EQ(arr, SpeakerArr::k51);
    BusInfo info{};
    effect->getBusInfo(kAudio, kOutput, 0, info);
    EXPECT_EQ(info.channelCount, 6);

    EXPECT_EQ(effect->setBusArrangements(ins, 3, outs, 1), kResultFalse) << "more than the buses";
    EXPECT_EQ(effect->setBusArrangements(ins, -1, outs, 1), kInvalidArgument);
    EXPECT_EQ(effect->setBusArrangements(nullptr, 1, outs, 1), kInvalidArgument);
    EXPECT_EQ(effect->setBusArrangements(nullptr, 0, nullptr, 0), kResultTrue);

    EXPECT_EQ(effect->getBusArrangement(kOutput, 1, arr), kInvalidArgument);
    EXPECT_EQ(effect->getBusArrangement(kInput, -1, arr), kInvalidArgument);
}

TEST_F(SingleComponentEffectTest, SetupProcessingStoresOnlyWhatItCanRun)
{
    EXPECT_EQ(effect->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(effect->canProcessSampleSize(kSample64), kResultFalse);

    ProcessSetup setup{kOffline, kSample32, 256, 96000.0};
    ASSERT_EQ(effect->setupProcessing(setup), kResultOk);
    EXPECT_EQ(effect->setup().processMode, kOffline);
    EXPECT_EQ(effect->setup().maxSamplesPerBlock, 256);
    EXPECT_EQ(effect->setup().sampleRate, 96000.0);

    ProcessSetup wide{kRealtime, kSample64, 512, 48000.0};
    EXPECT_EQ(effect->setupProcessing(wide), kResultFalse);
    EXPECT_EQ(effect->setup().sampleRate, 96000.0) << "a refused set-up is not stored";
}

TEST_F(SingleComponentEffectTest, UnimplementedDefaultsSaySo)
{
    TUID cid{};
    EXPECT_EQ(effect->getControllerClassId(cid), kNotImplemented);
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    EXPECT_EQ(effect->getState(stream), kNotImplemented);
    EXPECT_EQ(effect->setState(stream), kNotImplemented);
    EXPECT_EQ(effect->setIoMode(kAdvanced), kNotImplemented);
    RoutingInfo in{}, out{};
    EXPECT_EQ(effect->getRoutingInfo(in, out), kNotImplemented);
    ProcessData data;
    EXPECT_EQ(effect->process(data), kNotImplemented);
    EXPECT_EQ(effect->setProcessing(true), kNotImplemented);
    EXPECT_EQ(effect->setActive(true), kResultOk);
    EXPECT_EQ(effect->getLatencySamples(), 0u);
    EXPECT_EQ(effect->getTailSamples(), kNoTail);
}

TEST_F(SingleComponentEffectTest, TerminateRemovesAllBuses)
{
    ASSERT_EQ(effect->terminate(), kResultOk);
    for (MediaType type : {kAudio, kEvent})
        for (BusDirection dir : {kInput, kOutput})
            EXPECT_EQ(effect->getBusCount(type, dir), 0);
    // A fresh initialize builds the same set again.
    ASSERT_EQ(effect->initialize(nullptr), kResultOk);
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 2);
}

} // namespace
