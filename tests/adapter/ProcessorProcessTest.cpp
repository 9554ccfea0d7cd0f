// The processor's processing bridge and MIDI handling, driven with host-side
// objects against a plug-in object that records what reaches it.
#include "RecordingPlugIn.h"

#include "adapter/CVSTParamUpdateQueue.h"
#include "adapter/ParameterIds.h"
#include "adapter/Processor.h"

#include "host/ProcessBlock.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::Processor;

namespace
{

class ProcessorProcessTest : public testing::Test
{
protected:
    void TearDown() override
    {
        RecordingPlugIn::configure() = {};
        RecordingPlugIn::failCreation = false;
    }

    // Creates, initializes, sets up and activates a processor over a fresh
    // recording object.
    void start(SpeakerArrangement arrangement = SpeakerArr::kStereo)
    {
        processor = owned(new Processor);
        ASSERT_EQ(processor->initialize(&host), kResultOk);
        plugIn = RecordingPlugIn::last();
        SpeakerArrangement in = arrangement;
        SpeakerArrangement out = arrangement;
        ASSERT_EQ(processor->setBusArrangements(&in, 1, &out, 1), kResultOk);
        ProcessSetup setup{kRealtime, kSample32, 512, 48000.0};
        ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
        ASSERT_EQ(processor->setActive(true), kResultOk);
        plugIn->log.clear();
    }

    void TearDownProcessor()
    {
        if (!processor)
            return;
        processor->setActive(false);
        processor->terminate();
        processor = nullptr;
    }

    ~ProcessorProcessTest() override { TearDownProcessor(); }

    // One block with what the test queued; afterwards the block's output
    // changes stay readable until the next run.
    tresult run(int32 samples)
    {
        block.outputChanges().clear();
        const tresult result = processor->process(block.data(samples));
        block.inputChanges().clear();
        block.inputEvents().clear();
        return result;
    }

    std::vector<std::string> logged(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& line : plugIn->log)
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        return out;
    }

    HostApplication host;
    IPtr<Processor> processor;
    RecordingPlugIn* plugIn = nullptr;
    ZargHost::ProcessBlock block{{2}, {2}, 512, 48000.0};
};

TEST_F(ProcessorProcessTest, DeliversTheLastPointOfEachQueueOnce)
{
    start();
    block.inputChanges().add(0, 0, 0.25);
    ASSERT_EQ(run(64), kResultOk);
    EXPECT_EQ(logged("control 0"), std::vector<std::string>{"control 0 0.5"});

    plugIn->log.clear();
    block.inputChanges().add(0, 0, 0.1);
    block.inputChanges().add(0, 10, 0.2);
    block.inputChanges().add(0, 20, 0.75);
    ASSERT_EQ(run(64), kResultOk);
    EXPECT_EQ(logged("control 0"), std::vector<std::string>{"control 0 1.5"});
}

TEST_F(ProcessorProcessTest, ConvertsTapersAndKeepsHostValuesInRange)
{
    start();
    block.inputChanges().add(2, 0, 0.5); // volt/octave 0.25..4: the geometric middle
    block.inputChanges().add(0, 0, 1.5); // beyond the range: taken as 1
    block.inputChanges().add(1, 0, std::nan(""));
    ASSERT_EQ(run(16), kResultOk);
    EXPECT_NEAR(plugIn->m_fExponential, 1.0f, 2e-3f);
    EXPECT_EQ(plugIn->m_fLinear, 2.0f);
    EXPECT_EQ(plugIn->m_uIndex, 0u);
    EXPECT_TRUE(logged("control 1").empty());
}

// Bypass fades to the input while the object keeps processing, and back;
// meters read 0 while bypassed. A change in the same block as the switch
// still applies.
TEST_F(ProcessorProcessTest, BypassFadesToTheInputAndZeroesMeters)
{
    constexpr int32 kFade = 480; // 10 ms at 48 kHz
    start();
    auto fill = [this]
    {
        for (int32 c = 0; c < 2; ++c)
            for (int32 i = 0; i < 512; ++i)
                block.input(0, c)[i] = 0.01f * static_cast<float>(i % 50 + 100 * c);
    };
    fill();
    ASSERT_EQ(run(512), kResultOk);
    fill();
    block.inputChanges().add(Zeri2VST3::kBypassId, 0, 1.0);
    block.inputChanges().add(0, 0, 0.25);
    ASSERT_EQ(run(512), kResultOk);
    EXPECT_EQ(plugIn->m_fLinear, 0.5f);
    EXPECT_EQ(plugIn->framesProcessed, 1024);
    // Mid-fade the output lies between the processed signal and the input.
    EXPECT_GT(block.output(0, 1)[kFade / 2], block.input(0, 1)[kFade / 2]);
    EXPECT_LT(block.output(0, 1)[kFade / 2], 2.0f * block.input(0, 1)[kFade / 2]);
    for (int32 c = 0; c < 2; ++c)
        for (int32 i = kFade; i < 512; ++i)
            ASSERT_EQ(block.output(0, c)[i], block.input(0, c)[i]) << c << " " << i;
    EXPECT_EQ(block.outputChanges().lastValue(3), 0.0);

    block.inputChanges().add(Zeri2VST3::kBypassId, 0, 0.0);
    fill();
    ASSERT_EQ(run(512), kResultOk);
    EXPECT_EQ(plugIn->framesProcessed, 1536);
    EXPECT_EQ(block.output(0, 1)[kFade + 5], 2.0f * block.input(0, 1)[kFade + 5]);
    EXPECT_EQ(block.outputChanges().lastValue(3), 0.5);
}

// Bypassed before anything was heard, the first block is the input already:
// there is nothing to fade from.
TEST_F(ProcessorProcessTest, BypassFromTheStartNeedsNoFade)
{
    start();
    for (int32 c = 0; c < 2; ++c)
        for (int32 i = 0; i < 64; ++i)
            block.input(0, c)[i] = 0.25f + 0.01f * static_cast<float>(i + c);
    block.inputChanges().add(Zeri2VST3::kBypassId, 0, 1.0);
    ASSERT_EQ(run(64), kResultOk);
    for (int32 c = 0; c < 2; ++c)
        for (int32 i = 0; i < 64; ++i)
            ASSERT_EQ(block.output(0, c)[i], block.input(0, c)[i]) << c << " " << i;
}

TEST_F(ProcessorProcessTest, DeliversEventsBeforeTheirFrame)
{
    start();
    block.inputEvents().addNoteOn(0, 0, 60, 1.0f);
    block.inputEvents().addNoteOn(0, 1, 61, 0.5f);
    block.inputEvents().addNoteOff(5, 0, 60, 0.0f);
    ASSERT_EQ(run(16), kResultOk);
    const std::vector<std::string> expected = {"noteOn 0 60 127 @0", "noteOn 1 61 63 @0",
                                               "noteOff 0 60 0 0"};
    std::vector<std::string> events = logged("note");
    EXPECT_EQ(events, expected);
}

TEST_F(ProcessorProcessTest, WholeBufferObjectsPullTheirEvents)
{
    RecordingPlugIn::configure().processesBuffers = true;
    start();
    block.inputEvents().addNoteOn(0, 0, 60, 1.0f);
    block.inputEvents().addNoteOn(0, 0, 62, 1.0f);
    block.inputEvents().addNoteOn(5, 0, 64, 1.0f);
    for (int32 i = 0; i < 8; ++i)
        block.input(0, 0)[i] = 1.0f;
    ASSERT_EQ(run(8), kResultOk);
    const std::vector<std::string> expected = {"noteOn 0 60 127 @0", "noteOn 0 62 127 @0",
                                               "noteOn 0 64 127 @5"};
    EXPECT_EQ(logged("note"), expected);
    EXPECT_EQ(block.output(0, 0)[3], 3.0f);
    EXPECT_EQ(block.outputChanges().lastValue(3), 0.0); // not metered
}

TEST_F(ProcessorProcessTest, SendsTransportAfterEveryFrame)
{
    start();
    block.setContextEnabled(false);
    ASSERT_EQ(run(10), kResultOk);
    EXPECT_EQ(plugIn->timeMessages, 10);
    EXPECT_EQ(plugIn->timeMessagesWithInfo, 0);

    block.setContextEnabled(true);
    block.context().projectTimeSamples = 4800;
    block.context().tempo = 120.0;
    plugIn->timeMessages = 0;
    ASSERT_EQ(run(10), kResultOk);
    EXPECT_EQ(plugIn->timeMessagesWithInfo, 11); // before the block and after each frame
    EXPECT_EQ(plugIn->m_hostInfo.samplePosition, 4810u);
    EXPECT_DOUBLE_EQ(plugIn->m_hostInfo.timeSeconds, 4810.0 / 48000.0);
    EXPECT_EQ(plugIn->m_hostInfo.tempoBpm, 120.0);
}

// An object that takes whole buffers is left with the transport where the
// frame path leaves it: at the end of the block.
TEST_F(ProcessorProcessTest, WholeBufferBlocksEndWithTheTransportAdvanced)
{
    RecordingPlugIn::configure().processesBuffers = true;
    start();
    block.setContextEnabled(true);
    block.context().projectTimeSamples = 4800;
    ASSERT_EQ(run(10), kResultOk);
    EXPECT_EQ(plugIn->m_hostInfo.samplePosition, 4810u);
    EXPECT_DOUBLE_EQ(plugIn->m_hostInfo.timeSeconds, 4810.0 / 48000.0);
}

TEST_F(ProcessorProcessTest, ZeroSampleBlockAppliesChangesAndReportsMeters)
{
    start();
    block.inputChanges().add(0, 0, 0.75);
    ASSERT_EQ(run(0), kResultOk);
    EXPECT_EQ(plugIn->m_fLinear, 1.5f);
    EXPECT_EQ(plugIn->framesProcessed, 0);
    EXPECT_EQ(plugIn->timeMessagesWithInfo, 1);
    EXPECT_TRUE(block.outputChanges().lastValue(3).has_value());
}

// Hosts deliver changes while stopped with calls that carry no samples and
// no audio buffers at all.
TEST_F(ProcessorProcessTest, FlushWithoutBuffersAppliesChanges)
{
    start();
    block.inputChanges().add(0, 0, 0.75);
    block.inputChanges().add(Zeri2VST3::kBypassId, 0, 1.0);
    ProcessData& data = block.data(0);
    data.numInputs = 0;
    data.numOutputs = 0;
    data.inputs = nullptr;
    data.outputs = nullptr;
    ASSERT_EQ(processor->process(data), kResultOk);
    EXPECT_EQ(plugIn->m_fLinear, 1.5f);
    EXPECT_TRUE(processor->isBypassed());
    EXPECT_EQ(plugIn->framesProcessed, 0);
}

TEST_F(ProcessorProcessTest, JoystickAndButtons)
{
    start();
    block.inputChanges().add(0x8005, 0, 0.75);
    block.inputChanges().add(0x8001, 0, 0.0);
    ASSERT_EQ(run(4), kResultOk);
    float x = 0.0f;
    float y = 0.0f;
    plugIn->getJoystick(x, y);
    EXPECT_FLOAT_EQ(x, 0.5f);
    EXPECT_EQ(logged("joystick").size(), 1u);
    EXPECT_EQ(logged("control 51").size(), 1u);
}

TEST_F(ProcessorProcessTest, MidiParametersBecomeMidiCalls)
{
    start();
    const struct
    {
        ParamID id;
        double value;
        const char* call;
    } cases[] = {
        {0x800, 0.0, "pitchBend 0 -8192 -1"}, {0x800, 0.5, "pitchBend 0 0 0"},
        {0x800, 1.0, "pitchBend 0 8191 1"},   {0x801, 1.0, "modWheel 0 127"},
        {0x802, 0.5, "midi 0 176 7 63"},      {0x803, 1.0, "midi 0 176 10 127"},
        {0x804, 0.25, "midi 0 176 11 31"},    {0x805, 0.5, "midi 0 176 64 0"},
        {0x805, 0.51, "midi 0 176 64 127"},   {0x806, 1.0, "midi 0 208 127 0"},
        {0x807, 0.0, "noteOff 0 0 0 1"},
    };
    for (const auto& c : cases)
    {
        plugIn->log.clear();
        block.inputChanges().add(c.id, 0, c.value);
        ASSERT_EQ(run(1), kResultOk);
        std::vector<std::string> calls = plugIn->log;
        std::erase_if(calls, [](const std::string& line) { return line.rfind("frame0", 0) == 0; });
        EXPECT_EQ(calls, std::vector<std::string>{c.call});
    }
}

void addChord(ZargHost::EventList& list, int16 channel, int16 status, int16 data1, uint16 data2,
              const TChar* tag)
{
    Event e{};
    e.type = Event::kChordEvent;
    e.chord.root = channel;
    e.chord.bassNote = status;
    e.chord.mask = data1;
    e.chord.textLen = data2;
    e.chord.text = tag;
    list.addEvent(e);
}

TEST_F(ProcessorProcessTest, TaggedChordEventsCarryRawMidi)
{
    for (bool wantsAll : {false, true})
    {
        RecordingPlugIn::configure().wantsAllMidi = wantsAll;
        start();
        const TChar* tag = u"ZOLVMIDI";
        addChord(block.inputEvents(), 2, 0xE0, 0, 64, tag);
        addChord(block.inputEvents(), 2, 0xE0, 0, 0, tag);
        addChord(block.inputEvents(), 1, 0xB0, 1, 99, tag);
        addChord(block.inputEvents(), 1, 0xB0, 123, 0, tag);
        addChord(block.inputEvents(), 0, 0xF8, 0, 0, tag);
        addChord(block.inputEvents(), 3, 0x90, 60, 100, tag);
        addChord(block.inputEvents(), 3, 0x90, 60, 100, u"OTHER");
        ASSERT_EQ(run(2), kResultOk);
        std::vector<std::string> expected = {"pitchBend 2 0 0", "pitchBend 2 -8192 -1",
                                             "modWheel 1 99", "noteOff 1 0 0 1", "clock"};
        if (wantsAll)
            expected.push_back("midi 3 144 60 100");
        std::vector<std::string> midi;
        for (const std::string& line : plugIn->log)
            if (line.rfind("control", 0) != 0 && line.rfind("frame0", 0) != 0)
                midi.push_back(line);
        EXPECT_EQ(midi, expected) << "wantsAllMidi " << wantsAll;
        TearDownProcessor();
    }
}

TEST_F(ProcessorProcessTest, MapsMidiControllers)
{
    RecordingPlugIn::configure().extraControls = [](CControlList& list)
    {
        for (int32_t id : {4, 5, 6})
        {
            CControlDescriptor claim = *list.get(0);
            claim.controlId = id;
            claim.midiControlEnabled = true;
            claim.midiController = id == 6 ? 7 : 74;
            list.append(claim);
        }
    };
    start();
    ParamID id = 1234;
    EXPECT_EQ(processor->getMidiControllerAssignment(0, 3, 7, id), kResultOk);
    EXPECT_EQ(id, 0x802u); // the fixed table wins over control 6's claim
    EXPECT_EQ(processor->getMidiControllerAssignment(0, 0, 129, id), kResultOk);
    EXPECT_EQ(id, 0x800u);
    EXPECT_EQ(processor->getMidiControllerAssignment(0, 0, 128, id), kResultOk);
    EXPECT_EQ(id, 0x806u);
    EXPECT_EQ(processor->getMidiControllerAssignment(0, 0, 74, id), kResultOk);
    EXPECT_EQ(id, 5u); // the last claiming control
    EXPECT_EQ(processor->getMidiControllerAssignment(0, 0, 75, id), kResultFalse);
    EXPECT_EQ(id, 0u);
    id = 1234;
    EXPECT_EQ(processor->getMidiControllerAssignment(1, 0, 7, id), kResultFalse);
    EXPECT_EQ(id, 1234u);
}

TEST_F(ProcessorProcessTest, ReadsOnlyTheChannelsTheBuffersHave)
{
    start();
    // A stereo arrangement but mono buffers: the second channel does not exist.
    ZargHost::ProcessBlock mono({1}, {1}, 64, 48000.0);
    for (int32 i = 0; i < 64; ++i)
        mono.input(0, 0)[i] = 0.25f;
    ASSERT_EQ(processor->process(mono.data(64)), kResultOk);
    EXPECT_EQ(mono.output(0, 0)[10], 0.5f);
    EXPECT_EQ(logged("frame0"), std::vector<std::string>{"frame0 in=1 out=1"});
}

TEST_F(ProcessorProcessTest, OutputOnlyObjectsAreNeverBypassed)
{
    RecordingPlugIn::configure().outputOnly = true;
    processor = owned(new Processor);
    ASSERT_EQ(processor->initialize(&host), kResultOk);
    plugIn = RecordingPlugIn::last();
    EXPECT_EQ(processor->getBusCount(kAudio, kInput), 0);
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    SpeakerArrangement mono = SpeakerArr::kMono;
    EXPECT_EQ(processor->setBusArrangements(nullptr, 0, &stereo, 1), kResultOk);
    EXPECT_EQ(processor->setBusArrangements(nullptr, 0, &mono, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
    ProcessSetup setup{kRealtime, kSample32, 512, 48000.0};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(processor->setActive(true), kResultOk);
    ZargHost::ProcessBlock out({}, {2}, 64, 48000.0);
    out.inputChanges().add(0x808, 0, 1.0);
    ASSERT_EQ(processor->process(out.data(32)), kResultOk);
    EXPECT_EQ(plugIn->framesProcessed, 32);
}

TEST_F(ProcessorProcessTest, SidechainObjectsGetAnAuxBus)
{
    RecordingPlugIn::configure().wantsSidechain = 1;
    start();
    ASSERT_EQ(processor->getBusCount(kAudio, kInput), 2);
    BusInfo aux{};
    ASSERT_EQ(processor->getBusInfo(kAudio, kInput, 1, aux), kResultOk);
    EXPECT_EQ(aux.busType, kAux);
    ASSERT_EQ(processor->activateBus(kAudio, kInput, 1, true), kResultOk);
    ZargHost::ProcessBlock side({2, 2}, {2}, 64, 48000.0);
    ASSERT_EQ(processor->process(side.data(8)), kResultOk);
    EXPECT_EQ(logged("aux"), std::vector<std::string>{"aux channels=2 frame=1 buffers=0"});
}

TEST_F(ProcessorProcessTest, TailFollowsTheObject)
{
    RecordingPlugIn::configure().infiniteTail = 1;
    start();
    EXPECT_EQ(processor->getTailSamples(), kInfiniteTail);
}

TEST_F(ProcessorProcessTest, WithoutAnObjectOnlyTheAdapterParametersExist)
{
    RecordingPlugIn::failCreation = true;
    processor = owned(new Processor);
    ASSERT_EQ(processor->initialize(&host), kResultOk);
    EXPECT_EQ(processor->getParameterCount(), 9); // Bypass and the eight MIDI parameters
    EXPECT_EQ(processor->getUnitCount(), 1);
    EXPECT_EQ(processor->getProgramListCount(), 0);
    EXPECT_EQ(processor->process(block.data(16)), kResultFalse);
    ParamID id = 0;
    EXPECT_EQ(processor->getMidiControllerAssignment(0, 0, 7, id), kResultFalse);
    EXPECT_EQ(processor->getTailSamples(), 0u);
    // Set-up tries again.
    RecordingPlugIn::failCreation = false;
    ProcessSetup setup{kRealtime, kSample32, 512, 44100.0};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_NE(processor->getPlugIn(), nullptr);
    EXPECT_EQ(processor->getPlugIn()->m_sampleRate, 44100);
}

TEST_F(ProcessorProcessTest, EnumerationsShowSwitchNamesShortened)
{
    start();
    String128 text{};
    ASSERT_EQ(processor->getParamStringByValue(1, 0.0, text), kResultOk);
    EXPECT_EQ(std::u16string(text), u"OFF");
    ASSERT_EQ(processor->getParamStringByValue(1, 1.0 / 3.0, text), kResultOk);
    EXPECT_EQ(std::u16string(text), u"ON");
}

TEST_F(ProcessorProcessTest, IsAProcessorDerivedFromTheSdkBases)
{
    start();
    EXPECT_STREQ(processor->isA(), "Processor");
    EXPECT_TRUE(processor->isTypeOf("Processor", false));
    EXPECT_FALSE(processor->isTypeOf("SingleComponentEffect", false));
    for (const char* base : {"SingleComponentEffect", "EditController", "ComponentBase", "FObject"})
        EXPECT_TRUE(processor->isTypeOf(base, true)) << base;
}

TEST(ParamUpdateQueueTest, RampsBetweenPointsOnTheGranularityGrid)
{
    for (int32_t granularity : {1, 32})
    {
        auto points = owned(new ZargHost::ParameterValueQueue(0));
        int32 index = 0;
        points->addPoint(0, 0.2, index);
        points->addPoint(100, 0.8, index);
        Zeri2VST3::CVSTParamUpdateQueue queue(0.0, 1.0, &granularity);
        queue.prepare(points, 128);
        std::vector<std::pair<int, double>> offered;
        for (int offset = 0; offset < 128; ++offset)
        {
            double value = 0.0;
            if (queue.nextValue(value))
                offered.emplace_back(offset, value);
        }
        SCOPED_TRACE(granularity);
        ASSERT_FALSE(offered.empty());
        EXPECT_EQ(offered.front().first, 0);
        EXPECT_DOUBLE_EQ(offered.front().second, 0.2);
        EXPECT_EQ(offered.back().first, 100);
        EXPECT_DOUBLE_EQ(offered.back().second, 0.8);
        if (granularity == 1)
        {
            ASSERT_EQ(offered.size(), 101u);
            EXPECT_NEAR(offered[1].second, 0.206, 1e-12);
        }
        else
        {
            const std::vector<int> offsets = {0, 32, 64, 96, 100};
            std::vector<int> got;
            for (const auto& [offset, value] : offered)
                got.push_back(offset);
            EXPECT_EQ(got, offsets);
        }
    }
}

TEST(ParamUpdateQueueTest, AFlatQueueOffersNothing)
{
    int32_t granularity = 1;
    auto points = owned(new ZargHost::ParameterValueQueue(0));
    int32 index = 0;
    points->addPoint(0, 0.5, index);
    Zeri2VST3::CVSTParamUpdateQueue queue(0.0, 1.0, &granularity);
    queue.prepare(points, 64);
    for (int offset = 0; offset < 64; ++offset)
    {
        double value = 0.0;
        EXPECT_FALSE(queue.nextValue(value)) << offset;
    }
}

} // namespace
