#include "adapter/ParameterIds.h"
#include "host/EventList.h"
#include "host/ParameterChanges.h"
#include "host/ProcessBlock.h"
#include "host/RecordingComponentHandler.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ZargHost;

namespace
{

TEST(ParameterChanges, QueuesKeepPointsInSampleOrderOnePerOffset)
{
    IPtr<ParameterChanges> changes = owned(new ParameterChanges);
    changes->add(7, 64, 0.25);
    changes->add(7, 0, 0.5);
    changes->add(7, 64, 0.75); // replaces the first point at 64
    changes->add(9, 10, 1.0);

    ASSERT_EQ(changes->getParameterCount(), 2);
    int32 index = -1;
    IParamValueQueue* queue = changes->addParameterData(7, index);
    EXPECT_EQ(index, 0) << "an id already present gets its own queue back";
    EXPECT_EQ(queue, changes->getParameterData(0));
    ASSERT_EQ(queue->getPointCount(), 2);

    int32 offset = -1;
    ParamValue value = -1;
    ASSERT_EQ(queue->getPoint(0, offset, value), kResultOk);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(value, 0.5);
    ASSERT_EQ(queue->getPoint(1, offset, value), kResultOk);
    EXPECT_EQ(offset, 64);
    EXPECT_EQ(value, 0.75);
    EXPECT_EQ(queue->getPoint(2, offset, value), kInvalidArgument);
    EXPECT_EQ(queue->getPoint(-1, offset, value), kInvalidArgument);
    EXPECT_EQ(queue->addPoint(-1, 0.0, index), kInvalidArgument);

    EXPECT_EQ(changes->lastValue(7), 0.75);
    EXPECT_EQ(changes->lastValue(9), 1.0);
    EXPECT_FALSE(changes->lastValue(8).has_value());
    EXPECT_EQ(changes->getParameterData(2), nullptr);

    changes->clear();
    EXPECT_EQ(changes->getParameterCount(), 0);
}

TEST(EventList, HandsOutEventsInOrderAndRejectsBadIndices)
{
    IPtr<EventList> events = owned(new EventList);
    events->addNoteOn(3, 1, 60, 0.5f);
    events->addNoteOff(9, 1, 60);
    ASSERT_EQ(events->getEventCount(), 2);

    Event e{};
    ASSERT_EQ(events->getEvent(0, e), kResultOk);
    EXPECT_EQ(e.type, Event::kNoteOnEvent);
    EXPECT_EQ(e.sampleOffset, 3);
    EXPECT_EQ(e.noteOn.pitch, 60);
    EXPECT_EQ(e.noteOn.velocity, 0.5f);
    ASSERT_EQ(events->getEvent(1, e), kResultOk);
    EXPECT_EQ(e.type, Event::kNoteOffEvent);
    EXPECT_EQ(events->getEvent(2, e), kInvalidArgument);
    EXPECT_EQ(events->getEvent(-1, e), kInvalidArgument);
}

TEST(RecordingComponentHandler, RecordsCallsInOrderThroughBothInterfaces)
{
    IPtr<RecordingComponentHandler> handler = owned(new RecordingComponentHandler);
    IComponentHandler* asHandler = handler;
    asHandler->beginEdit(5);
    asHandler->performEdit(5, 0.3);
    asHandler->endEdit(5);
    asHandler->restartComponent(kParamValuesChanged);

    FUnknownPtr<IUnitHandler> unitHandler(asHandler);
    ASSERT_TRUE(unitHandler);
    unitHandler->notifyProgramListChange(Zeri2VST3::kPresetParamId, 3);
    unitHandler->notifyUnitSelection(0);

    using K = RecordingComponentHandler::Kind;
    const std::vector<RecordingComponentHandler::Call> expected = {
        {K::BeginEdit, 5, 0.0, 0},
        {K::PerformEdit, 5, 0.3, 0},
        {K::EndEdit, 5, 0.0, 0},
        {K::RestartComponent, 0, 0.0, kParamValuesChanged},
        {K::ProgramListChange, Zeri2VST3::kPresetParamId, 0.0, 3},
        {K::UnitSelection, 0, 0.0, 0},
    };
    EXPECT_EQ(handler->calls(), expected);
}

TEST(ProcessBlock, WiresBuffersChangesEventsAndContextIntoProcessData)
{
    ProcessBlock block({2, 1}, {2}, 128, 48000.0);
    ProcessData& data = block.data(100, kOffline);
    EXPECT_EQ(data.numSamples, 100);
    EXPECT_EQ(data.processMode, kOffline);
    EXPECT_EQ(data.symbolicSampleSize, kSample32);
    ASSERT_EQ(data.numInputs, 2);
    ASSERT_EQ(data.numOutputs, 1);
    EXPECT_EQ(data.inputs[0].numChannels, 2);
    EXPECT_EQ(data.inputs[1].numChannels, 1);
    EXPECT_EQ(data.inputs[0].channelBuffers32[1], block.input(0, 1));
    EXPECT_EQ(data.inputs[1].channelBuffers32[0], block.input(1, 0));
    EXPECT_EQ(data.outputs[0].channelBuffers32[1], block.output(0, 1));
    EXPECT_NE(block.input(0, 0), block.output(0, 0)) << "separate buffers, not in place";
    EXPECT_EQ(data.inputParameterChanges, &block.inputChanges());
    EXPECT_EQ(data.outputParameterChanges, &block.outputChanges());
    EXPECT_EQ(data.inputEvents, &block.inputEvents());
    EXPECT_EQ(data.outputEvents, &block.outputEvents());
    ASSERT_EQ(data.processContext, &block.context());
    EXPECT_EQ(data.processContext->sampleRate, 48000.0);
    EXPECT_TRUE(data.processContext->state & ProcessContext::kTempoValid);

    block.advance(24000);
    EXPECT_EQ(block.context().projectTimeSamples, 24000);
    EXPECT_DOUBLE_EQ(block.context().projectTimeMusic, 1.0) << "half a second at 120 bpm";

    block.setContextEnabled(false);
    EXPECT_EQ(block.data(1).processContext, nullptr);
    EXPECT_THROW(block.data(129), std::invalid_argument);

    block.fillOutputs(7.0f);
    EXPECT_EQ(block.output(0, 0)[127], 7.0f);
    EXPECT_THROW(block.output(1, 0), std::out_of_range);
}

} // namespace
