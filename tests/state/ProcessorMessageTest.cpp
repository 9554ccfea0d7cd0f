// What the processor tells its plug-in object: message 13 for every
// parameter store, the preset load's values and messages, the linked-control
// refresh and the editor's text messages. The adapter is linked in directly
// with RecordingPlugIn as its plug-in object.
#include "RecordingPlugIn.h"
#include "adapter/ParameterIds.h"
#include "adapter/Processor.h"
#include "adapter/Taper.h"
#include "host/ProcessBlock.h"
#include "host/RecordingComponentHandler.h"
#include "host/StateStream.h"

#include "pluginterfaces/base/ustring.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::kPresetParamId;
using Kind = ZargHost::RecordingComponentHandler::Kind;

class ProcessorMessages : public testing::Test
{
protected:
    void SetUp() override
    {
        FUnknown* unknown = Zeri2VST3::Processor::createInstance(nullptr);
        ASSERT_NE(unknown, nullptr);
        component = FUnknownPtr<IComponent>(unknown);
        controller = FUnknownPtr<IEditController>(unknown);
        audio = FUnknownPtr<IAudioProcessor>(unknown);
        connection = FUnknownPtr<IConnectionPoint>(unknown);
        unknown->release();
        ASSERT_TRUE(component && controller && audio && connection);
        plugIn = RecordingPlugIn::failCreation ? nullptr : RecordingPlugIn::last;
        ASSERT_EQ(component->initialize(&host), kResultOk);
        controller->setComponentHandler(handler);
        if (plugIn)
            plugIn->messages.clear();
    }

    void TearDown() override
    {
        component->setActive(false);
        controller->setComponentHandler(nullptr);
        component->terminate();
    }

    void activate()
    {
        ProcessSetup setup{kRealtime, kSample32, 256, 44100.0};
        ASSERT_EQ(audio->setupProcessing(setup), kResultOk);
        ASSERT_EQ(component->setActive(true), kResultOk);
    }

    void processOneBlock()
    {
        ZargHost::ProcessBlock block({2}, {2}, 64);
        ASSERT_EQ(audio->process(block.data(64)), kResultOk);
    }

    tresult sendText(const char* text)
    {
        IPtr<HostMessage> message = owned(new HostMessage);
        message->setMessageID("TextMessage");
        UString128 utf16(text);
        message->getAttributes()->setString("Text", utf16);
        return connection->notify(message);
    }

    std::vector<char> state()
    {
        IPtr<MemoryStream> stream = owned(new MemoryStream);
        EXPECT_EQ(component->getState(stream), kResultOk);
        return {stream->getData(), stream->getData() + stream->getSize()};
    }

    int restarts() const
    {
        int count = 0;
        for (const auto& call : handler->calls())
            if (call.kind == Kind::RestartComponent && call.number == kParamValuesChanged)
                ++count;
        return count;
    }

    HostApplication host;
    IPtr<ZargHost::RecordingComponentHandler> handler =
        owned(new ZargHost::RecordingComponentHandler);
    IPtr<IComponent> component;
    IPtr<IEditController> controller;
    IPtr<IAudioProcessor> audio;
    IPtr<IConnectionPoint> connection;
    RecordingPlugIn* plugIn = nullptr;
};

// Every store, found or not, is followed by one message 13 in a fresh record
// carrying the id and the value as stored.
TEST_F(ProcessorMessages, EveryParameterStoreSendsMessage13)
{
    const struct
    {
        ParamID id;
        double value;
        tresult result;
        double sent;
    } cases[] = {
        {0, 0.25, kResultOk, 0.25},   {1, 1.0, kResultOk, 1.0},
        {0x808, 1.0, kResultOk, 1.0}, {0x8005, 0.4, kResultOk, 0.4},
        {0x800, 0.5, kResultOk, 0.5}, {0x1234, 0.5, kResultFalse, 0.5},
        {3, 1.5, kResultOk, 1.0},     {3, -2.0, kResultOk, 0.0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        plugIn->messages.clear();
        EXPECT_EQ(controller->setParamNormalized(c.id, c.value), c.result);
        ASSERT_EQ(plugIn->messages.size(), 1u);
        const auto& m = plugIn->messages[0];
        EXPECT_EQ(m.code, kGuiParameterChanged);
        EXPECT_EQ(m.parameterIndex, static_cast<int32>(c.id));
        EXPECT_EQ(m.parameterValue, c.sent);
        EXPECT_EQ(m.customViewName, "(null)");
        if (c.result == kResultOk)
        {
            EXPECT_EQ(controller->getParamNormalized(c.id), c.sent);
        }
    }

    // NaN is refused before it reaches the parameter or the plug-in object.
    plugIn->messages.clear();
    EXPECT_EQ(controller->setParamNormalized(0, std::numeric_limits<double>::quiet_NaN()),
              kResultFalse);
    EXPECT_TRUE(plugIn->messages.empty());
    EXPECT_EQ(controller->getParamNormalized(0), 0.25);
}

// A preset load while audio runs: the host side and the messages at once,
// the controls (in control order) at the start of the next block.
TEST_F(ProcessorMessages, PresetLoadSetsBothSidesAndReportsEachValue)
{
    activate();
    plugIn->changes.clear();
    handler->clear();
    ASSERT_EQ(controller->setParamNormalized(kPresetParamId, 0.0), kResultOk);

    const double drive = (std::pow(10.0, 0.25) - 1.0) / 9.0;
    const double pitch = Zeri2VST3::Taper::voltOctaveNormalized(4.0, 1.0, 16.0);
    EXPECT_NEAR(pitch, 0.5, 1e-3);
    const struct
    {
        ParamID id;
        double value;
    } expected[] = {{kPresetParamId, 0.0}, {0, 0.25},     {1, 1.0}, {2, pitch}, {3, drive},
                    {0x8005, 0.75},        {0x8006, 0.75}};
    ASSERT_EQ(plugIn->messages.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(plugIn->messages[i].code, kGuiParameterChanged);
        EXPECT_EQ(plugIn->messages[i].parameterIndex, static_cast<int32>(expected[i].id));
        EXPECT_NEAR(plugIn->messages[i].parameterValue, expected[i].value, 1e-4);
        EXPECT_NEAR(controller->getParamNormalized(expected[i].id), expected[i].value, 1e-4);
    }
    // The host hears of it once its call has returned: here, with no run
    // loop offered, at the editor's next timer tick.
    EXPECT_EQ(restarts(), 0);
    EXPECT_EQ(sendText("VSTGUITimerPing"), kResultOk);
    EXPECT_EQ(restarts(), 1);

    // Not yet on the audio thread's side, but already in the saved state.
    EXPECT_EQ(plugIn->m_fLevel, 5.0f);
    EXPECT_TRUE(plugIn->changes.empty());
    const auto saved = state();
    float level = 0.0f;
    std::memcpy(&level, saved.data() + 8, 4);
    EXPECT_EQ(level, 2.5f);

    processOneBlock();
    EXPECT_EQ(plugIn->changes, (std::vector<int32_t>{10, 11, 12, 13}));
    EXPECT_EQ(plugIn->m_fLevel, 2.5f);
    EXPECT_EQ(plugIn->m_uMode, 3u);
    EXPECT_FLOAT_EQ(plugIn->m_fPitch, 4.0f);
    EXPECT_FLOAT_EQ(plugIn->m_fDrive, 0.25f);
    float x = 0.0f;
    float y = 0.0f;
    plugIn->getJoystick(x, y);
    EXPECT_NEAR(x, 0.5, 1e-4);
    EXPECT_NEAR(y, 0.5, 1e-4);
}

TEST_F(ProcessorMessages, PresetAtTheTopOfTheRangesAndOtherJoystickCorner)
{
    ASSERT_EQ(controller->setParamNormalized(kPresetParamId, 1.0), kResultOk);
    EXPECT_EQ(plugIn->m_fLevel, 10.0f);
    EXPECT_EQ(plugIn->m_uMode, 1u);
    EXPECT_EQ(plugIn->m_fPitch, 16.0f);
    EXPECT_EQ(controller->getParamNormalized(2), 1.0);
    EXPECT_EQ(controller->getParamNormalized(3), 1.0);
    EXPECT_NEAR(controller->getParamNormalized(0x8005), 0.25, 1e-4);
    EXPECT_NEAR(controller->getParamNormalized(0x8006), 0.75, 1e-4);
    EXPECT_EQ(sendText("VSTGUITimerPing"), kResultOk);
    EXPECT_EQ(restarts(), 1);
}

// After a restore and after a preset load, each control is offered to the
// plug-in object by its control id; a linked value it answers is stored,
// announced as message 13 and reported to the host as an edit.
TEST_F(ProcessorMessages, LinkedControlsFollowARestoreAndAPresetLoad)
{
    const auto bytes = state();
    plugIn->linkLevelToMode = true;
    for (bool preset : {false, true})
    {
        SCOPED_TRACE(preset ? "preset load" : "restore");
        plugIn->linkedQueries = 0;
        plugIn->messages.clear();
        handler->clear();
        if (preset)
            ASSERT_EQ(controller->setParamNormalized(kPresetParamId, 1.0), kResultOk);
        else
            ASSERT_EQ(controller->setComponentState(ZargHost::stateStream(bytes)), kResultOk);

        EXPECT_EQ(plugIn->linkedQueries, 4);
        EXPECT_DOUBLE_EQ(controller->getParamNormalized(1), 2.0 / 3.0);
        ASSERT_FALSE(plugIn->messages.empty());
        EXPECT_EQ(plugIn->messages.back().parameterIndex, 1);
        EXPECT_DOUBLE_EQ(plugIn->messages.back().parameterValue, 2.0 / 3.0);
        // The edit reaches the host after its call has returned.
        EXPECT_TRUE(handler->calls().empty());
        EXPECT_EQ(sendText("VSTGUITimerPing"), kResultOk);
        const auto& calls = handler->calls();
        ASSERT_GE(calls.size(), 3u);
        const std::vector<ZargHost::RecordingComponentHandler::Call> edit(calls.end() - 3,
                                                                          calls.end());
        EXPECT_EQ(edit[0].kind, Kind::BeginEdit);
        EXPECT_EQ(edit[1].kind, Kind::PerformEdit);
        EXPECT_EQ(edit[1].id, 1u);
        EXPECT_DOUBLE_EQ(edit[1].value, 2.0 / 3.0);
        EXPECT_EQ(edit[2].kind, Kind::EndEdit);
    }
}

// The editor's timer ping and its "RecreateView" reach the plug-in object in
// the processor's own record; any other text is ignored.
TEST_F(ProcessorMessages, EditorTextsReachThePlugInObject)
{
    EXPECT_EQ(sendText("RecreateView"), kResultOk);
    EXPECT_EQ(sendText("VSTGUITimerPing"), kResultOk);
    for (const char* other : {"", "VSTGUITimerPing ", "recreateview", "Hello", "RecreateViews"})
        EXPECT_EQ(sendText(other), kResultOk) << other;

    ASSERT_EQ(plugIn->messages.size(), 2u);
    const auto& opened = plugIn->messages[0];
    const auto& ping = plugIn->messages[1];
    EXPECT_EQ(opened.code, kGuiEditorOpened);
    EXPECT_EQ(opened.customViewName, "");
    EXPECT_EQ(opened.extraText, "");
    EXPECT_EQ(ping.code, kGuiTimerPing);
    EXPECT_EQ(ping.record, opened.record);

    // Message 13 comes in a record of its own.
    const EditorMessage* reused = opened.record;
    controller->setParamNormalized(0, 0.5);
    ASSERT_EQ(plugIn->messages.size(), 3u);
    EXPECT_NE(plugIn->messages[2].record, reused);
}

class ProcessorWithoutPlugIn : public ProcessorMessages
{
protected:
    void SetUp() override
    {
        RecordingPlugIn::failCreation = true;
        ProcessorMessages::SetUp();
    }
    void TearDown() override
    {
        ProcessorMessages::TearDown();
        RecordingPlugIn::failCreation = false;
    }
};

TEST_F(ProcessorWithoutPlugIn, StateCallsAnswerFalseAndTextsAreIgnored)
{
    std::vector<char> bytes(114, 0);
    bytes[0] = 1;
    IPtr<MemoryStream> out = owned(new MemoryStream);
    EXPECT_EQ(component->getState(out), kResultFalse);
    EXPECT_EQ(component->setState(ZargHost::stateStream(bytes)), kResultFalse);
    EXPECT_EQ(controller->setComponentState(ZargHost::stateStream(bytes)), kResultFalse);
    EXPECT_EQ(sendText("VSTGUITimerPing"), kResultOk);
    EXPECT_EQ(controller->setParamNormalized(0x808, 1.0), kResultOk);
}
