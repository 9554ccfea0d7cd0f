#include "framework/CPlugIn.h"
#include "framework/IParamUpdateQueue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace
{
// Control ids differ from positions so that a callback with the position
// instead of the id shows up.
enum Position : uint32_t
{
    kInt,
    kFloat,
    kDouble,
    kSwitch,
    kModel,
    kSmoothFloat,
    kSmoothDouble,
    kUntyped,
    kCount
};
constexpr int32_t idOf(uint32_t position)
{
    return 100 + static_cast<int32_t>(position);
}

struct JoystickReport
{
    float a, b, c, d, acMix, bdMix;
};

class TestPlugIn : public CPlugIn
{
public:
    int32_t m_iCount = 0;
    float m_fLevel = 0.0f;
    double m_dLevel = 0.0;
    uint32_t m_uSwitch = 0;
    uint32_t m_uModel = 0;
    float m_fSmooth = 0.0f;
    double m_dSmooth = 0.0;
    float m_fUntyped = 0.0f;

    std::vector<int32_t> changes;
    std::vector<JoystickReport> joystickReports;

    TestPlugIn() { buildControls(); }

    bool buildControls() override
    {
        if (!m_controlList.empty())
            return true;
        add(kInt, kDataTypeInt, 0.0f, 10.0f).intVariable = &m_iCount;
        add(kFloat, kDataTypeFloat, -1.0f, 1.0f).floatVariable = &m_fLevel;
        add(kDouble, kDataTypeDouble, 0.0f, 100.0f).doubleVariable = &m_dLevel;
        add(kSwitch, kDataTypeIndex, 0.0f, 1.0f).indexVariable = &m_uSwitch;
        add(kModel, kDataTypeIndex, 0.0f, 16.0f).indexVariable = &m_uModel;
        CControlDescriptor& sf = add(kSmoothFloat, kDataTypeFloat, 0.0f, 1.0f);
        sf.floatVariable = &m_fSmooth;
        sf.smoothingEnabled = true;
        CControlDescriptor& sd = add(kSmoothDouble, kDataTypeDouble, 0.0f, 1.0f);
        sd.doubleVariable = &m_dSmooth;
        sd.smoothingEnabled = true;
        add(kUntyped, kDataTypeNone, 0.0f, 1.0f).floatVariable = &m_fUntyped;
        indexControls();
        return true;
    }

    bool onControlChange(int32_t controlId) override
    {
        changes.push_back(controlId);
        return true;
    }

    bool onJoystickChange(float a, float b, float c, float d, float acMix, float bdMix) override
    {
        joystickReports.push_back({a, b, c, d, acMix, bdMix});
        return true;
    }

    double bound(uint32_t position) const
    {
        const CControlDescriptor& d = *m_controls[position];
        switch (d.dataType)
        {
        case kDataTypeInt:
            return *d.intVariable;
        case kDataTypeFloat:
            return *d.floatVariable;
        case kDataTypeDouble:
            return *d.doubleVariable;
        case kDataTypeIndex:
            return *d.indexVariable;
        default:
            return *d.floatVariable;
        }
    }

private:
    CControlDescriptor& add(uint32_t position, int32_t type, float lo, float hi)
    {
        CControlDescriptor d;
        d.controlType = kControlTypeUser;
        d.controlId = idOf(position);
        d.controlIndex = static_cast<int32_t>(position);
        d.dataType = type;
        d.minValue = lo;
        d.maxValue = hi;
        return *m_controlList.append(d);
    }
};

struct SetCase
{
    const char* what;
    uint32_t position;
    bool plain; // setPlainControlValue, else setNormalizedControlValue
    float input;
    double expected;
    bool notified;
};

constexpr double kInt32Max = std::numeric_limits<int32_t>::max();
constexpr double kUint32Max = std::numeric_limits<uint32_t>::max();

const SetCase kSetCases[] = {
    {"int rounds a fraction", kInt, false, 0.27f, 3, true},
    {"int rounds half up", kInt, false, 0.25f, 3, true},
    {"int truncates a plain value", kInt, true, 2.7f, 2, true},
    {"int truncates toward zero", kInt, true, -2.7f, -2, true},
    {"int notifies without a change", kInt, false, 0.0f, 0, true},
    {"int saturates", kInt, true, 1e10f, kInt32Max, true},
    {"index 0.5 rounds up", kSwitch, false, 0.5f, 1, true},
    {"index 0.49 rounds down, unchanged", kSwitch, false, 0.49f, 0, false},
    {"index rounds a plain value", kSwitch, true, 0.5f, 1, true},
    {"index keeps a plain 0.4 at 0", kSwitch, true, 0.4f, 0, false},
    {"index spans its range", kModel, false, 1.0f, 16, true},
    {"index out of range is not rounded into it", kModel, true, 20.0f, 20, true},
    {"negative index stops at 0", kModel, true, -3.0f, 0, false},
    {"huge index saturates", kModel, true, 1e20f, kUint32Max, true},
    {"float scales into its range", kFloat, false, 0.75f, 0.5, true},
    {"float takes a plain value", kFloat, true, -0.25f, -0.25, true},
    {"double scales into its range", kDouble, false, 0.5f, 50.0, true},
    {"double takes a plain value", kDouble, true, 12.5f, 12.5, true},
    {"other data types are ignored", kUntyped, false, 1.0f, 0.0, false},
};
} // namespace

TEST(CPlugInValues, RoundingAndNotificationPerDataType)
{
    for (const SetCase& c : kSetCases)
    {
        SCOPED_TRACE(c.what);
        TestPlugIn p;
        if (c.plain)
            p.setPlainControlValue(c.position, c.input);
        else
            p.setNormalizedControlValue(c.position, c.input, false);
        EXPECT_DOUBLE_EQ(p.bound(c.position), c.expected);
        if (c.notified)
            EXPECT_EQ(p.changes, std::vector<int32_t>{idOf(c.position)});
        else
            EXPECT_TRUE(p.changes.empty());
    }
}

TEST(CPlugInValues, IndexNotifiesOnlyOnChangeWhileIntAlwaysNotifies)
{
    TestPlugIn p;
    p.setNormalizedControlValue(kModel, 0.5f, false); // 8
    p.setNormalizedControlValue(kModel, 0.5f, false);
    p.setPlainControlValue(kModel, 8.2f);
    EXPECT_EQ(p.changes, std::vector<int32_t>{idOf(kModel)});

    p.changes.clear();
    p.setPlainControlValue(kInt, 4.0f);
    p.setPlainControlValue(kInt, 4.0f);
    EXPECT_EQ(p.changes, (std::vector<int32_t>{idOf(kInt), idOf(kInt)}));
}

TEST(CPlugInValues, GetControlValueReadsEveryBinding)
{
    TestPlugIn p;
    p.m_iCount = -3;
    p.m_fLevel = 0.5f;
    p.m_dLevel = 12.25;
    p.m_uModel = 16;
    EXPECT_FLOAT_EQ(p.getControlValue(kInt), -3.0f);
    EXPECT_FLOAT_EQ(p.getControlValue(kFloat), 0.5f);
    EXPECT_FLOAT_EQ(p.getControlValue(kDouble), 12.25f);
    EXPECT_FLOAT_EQ(p.getControlValue(kModel), 16.0f);
    EXPECT_FLOAT_EQ(p.getControlValue(kUntyped), 0.0f);
}

TEST(CPlugInValues, PositionsWithoutADescriptorAreIgnored)
{
    CPlugIn bare;
    EXPECT_EQ(bare.getControlValue(0), 0.0f);
    bare.setNormalizedControlValue(0, 1.0f, true);
    bare.setPlainControlValue(0, 1.0f);
    bare.applyQueuedControlValues();
    bare.smoothControls();
    EXPECT_TRUE(bare.prepareToProcess());

    TestPlugIn p;
    p.m_controls[kFloat] = nullptr;
    p.setNormalizedControlValue(kFloat, 1.0f, true);
    p.setNormalizedControlValue(kCount, 1.0f, true);
    p.setPlainControlValue(1000, 1.0f);
    EXPECT_EQ(p.getControlValue(kFloat), 0.0f);
    EXPECT_EQ(p.getControlValue(1000), 0.0f);
    EXPECT_EQ(p.m_fLevel, 0.0f);
    EXPECT_TRUE(p.changes.empty());
}

TEST(CPlugInSmoothing, CoefficientFollowsSampleRateAndTime)
{
    TestPlugIn p;
    p.prepareToProcess();
    const CControlDescriptor& d = *p.m_controls[kSmoothFloat];
    EXPECT_NEAR(d.smoothing.coeffA, 0.998576, 1e-6);
    EXPECT_FLOAT_EQ(d.smoothing.coeffB, 1.0f - d.smoothing.coeffA);
    EXPECT_NEAR(p.m_controls[kSmoothDouble]->smoothing.coeffADouble, 0.998576, 1e-6);
    // Unsmoothed controls get no coefficients.
    EXPECT_EQ(p.m_controls[kFloat]->smoothing.coeffA, 0.0f);

    p.m_sampleRate = 48000;
    p.m_controls[kSmoothFloat]->smoothingTimeMs = 10.0f;
    p.prepareToProcess();
    EXPECT_NEAR(d.smoothing.coeffA, std::exp(-2.0 * std::numbers::pi / 480.0), 1e-6);
}

TEST(CPlugInSmoothing, StateStartsAtTheCurrentValue)
{
    TestPlugIn p;
    p.m_fSmooth = 0.5f;
    p.m_dSmooth = 0.25;
    p.prepareToProcess();
    EXPECT_EQ(p.m_controls[kSmoothFloat]->smoothTarget, 0.5f);
    EXPECT_EQ(p.m_controls[kSmoothFloat]->smoothing.state, 0.5f);
    EXPECT_EQ(p.m_controls[kSmoothDouble]->smoothTarget, 0.25f);
    EXPECT_EQ(p.m_controls[kSmoothDouble]->smoothing.stateDouble, 0.25);
}

TEST(CPlugInSmoothing, SmoothedValueGlidesToTheTargetAndLandsOnIt)
{
    TestPlugIn p;
    p.prepareToProcess();
    const CControlDescriptor& d = *p.m_controls[kSmoothFloat];

    p.setNormalizedControlValue(kSmoothFloat, 1.0f, false);
    EXPECT_EQ(p.m_fSmooth, 0.0f) << "the variable waits for the smoothing step";
    EXPECT_EQ(p.changes, std::vector<int32_t>{idOf(kSmoothFloat)});

    p.changes.clear();
    p.smoothControls();
    EXPECT_FLOAT_EQ(p.m_fSmooth, d.smoothing.coeffB);
    EXPECT_EQ(p.changes, std::vector<int32_t>{idOf(kSmoothFloat)});

    float previous = p.m_fSmooth;
    for (int i = 0; i < 1000; ++i)
    {
        p.smoothControls();
        ASSERT_GT(p.m_fSmooth, previous);
        previous = p.m_fSmooth;
    }
    // Once the filter stops moving the variable takes the exact target.
    for (int i = 0; i < 44100; ++i)
        p.smoothControls();
    EXPECT_EQ(p.m_fSmooth, 1.0f);
    p.changes.clear();
    p.smoothControls();
    EXPECT_TRUE(p.changes.empty());
}

TEST(CPlugInSmoothing, DoubleControlSmoothsInDoublePrecision)
{
    TestPlugIn p;
    p.prepareToProcess();
    p.setPlainControlValue(kSmoothDouble, 1.0f);
    EXPECT_EQ(p.m_dSmooth, 0.0);
    p.smoothControls();
    EXPECT_DOUBLE_EQ(p.m_dSmooth, p.m_controls[kSmoothDouble]->smoothing.coeffBDouble);
    p.smoothControls();
    const double b = p.m_controls[kSmoothDouble]->smoothing.coeffBDouble;
    EXPECT_DOUBLE_EQ(p.m_dSmooth, b + b * (1.0 - b));
}

TEST(CPlugInSmoothing, ImmediateValuesBypassSmoothing)
{
    TestPlugIn p;
    p.prepareToProcess();
    p.setNormalizedControlValue(kSmoothFloat, 0.75f, true);
    EXPECT_EQ(p.m_fSmooth, 0.75f);
    p.setNormalizedControlValue(kSmoothDouble, 0.5f, true);
    EXPECT_EQ(p.m_dSmooth, 0.5);
}

namespace
{
class FakeQueue : public IParamUpdateQueue
{
public:
    std::deque<std::optional<double>> values;
    int calls = 0;

    uint32_t parameterId() override { return 0; }
    bool valueAtOffset(int32_t, double, double& out) override { return nextValue(out); }
    bool nextValue(double& out) override
    {
        ++calls;
        if (values.empty() || !values.front())
        {
            if (!values.empty())
                values.pop_front();
            return false;
        }
        out = *values.front();
        values.pop_front();
        return true;
    }
};
} // namespace

TEST(CPlugInQueues, QueuedValuesApplyImmediatelyOncePerFrame)
{
    TestPlugIn p;
    p.m_sampleAccurate = 1;
    p.prepareToProcess();
    FakeQueue smooth, model;
    smooth.values = {0.5, std::nullopt, 0.25};
    model.values = {std::nullopt, 1.0};
    p.m_controls[kSmoothFloat]->updateQueue = &smooth;
    p.m_controls[kModel]->updateQueue = &model;

    p.applyQueuedControlValues();
    EXPECT_EQ(p.m_fSmooth, 0.5f) << "sample-accurate values skip smoothing";
    EXPECT_EQ(p.m_uModel, 0u);
    EXPECT_EQ(p.changes, std::vector<int32_t>{idOf(kSmoothFloat)});

    p.changes.clear();
    p.applyQueuedControlValues();
    EXPECT_EQ(p.m_fSmooth, 0.5f);
    EXPECT_EQ(p.m_uModel, 16u);
    EXPECT_EQ(p.changes, std::vector<int32_t>{idOf(kModel)});

    p.applyQueuedControlValues();
    EXPECT_EQ(p.m_fSmooth, 0.25f);
    EXPECT_EQ(smooth.calls, 3);
    EXPECT_EQ(model.calls, 3);
    EXPECT_EQ(p.m_iCount, 0) << "controls without a queue stay as they are";
}

TEST(CPlugInJoystick, BaseDefaults)
{
    const CPlugIn p;
    EXPECT_STREQ(p.m_name, "Name Not Set.");
    EXPECT_STREQ(p.m_buttonNames[0], "B1");
    EXPECT_STREQ(p.m_buttonNames[2], "B3");
    EXPECT_EQ(p.m_presetNames[0], nullptr);
    EXPECT_EQ(p.m_numChannels, 2);
    EXPECT_EQ(p.m_sampleRate, 44100);
    EXPECT_STREQ(p.m_joystickX.name, "MIDI JS X");
    EXPECT_STREQ(p.m_joystickY.name, "MIDI JS Y");
    EXPECT_EQ(p.m_joystickX.midiController, 16);
    EXPECT_EQ(p.m_joystickY.midiController, 17);
    EXPECT_EQ(p.m_joystickX.midiStatus, 0xB0);
    EXPECT_FALSE(p.m_joystickY.midiControlEnabled);
    EXPECT_TRUE(p.m_controls.empty());
}

TEST(CPlugInJoystick, UnsmoothedAxesReportTheMixAtOnceWithXsOrientation)
{
    TestPlugIn p;
    p.setJoystickX(1.0f, false);
    ASSERT_EQ(p.joystickReports.size(), 1u);
    EXPECT_NEAR(p.joystickReports[0].acMix, 0.75f, 1e-6);
    EXPECT_NEAR(p.joystickReports[0].b, 0.500124f, 1e-6);
    EXPECT_NEAR(p.joystickReports[0].a, 0.0f, 1e-6);

    // Y's own flag is stored, the mix still uses X's (false): with true
    // acMix would be 1.
    p.setJoystickY(0.0f, true);
    ASSERT_EQ(p.joystickReports.size(), 2u);
    EXPECT_NEAR(p.joystickReports[1].acMix, 0.75f, 1e-6);
    EXPECT_TRUE(p.m_joystickY.joystickOrientation);

    float x = 0, y = 0;
    p.setJoystickY(-0.5f, false);
    p.getJoystick(x, y);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(y, -0.5f);
}

TEST(CPlugInJoystick, SmoothedAxesReportFromTheSmoothingStep)
{
    TestPlugIn p;
    p.m_joystickX.smoothingEnabled = true;
    p.m_joystickY.smoothingEnabled = true;
    p.prepareToProcess();

    p.setJoystickX(1.0f, true);
    p.setJoystickY(-1.0f, true);
    EXPECT_TRUE(p.joystickReports.empty());
    EXPECT_EQ(p.m_joystickX.joystickValue, 0.0f);

    p.smoothControls();
    ASSERT_EQ(p.joystickReports.size(), 1u);
    EXPECT_FLOAT_EQ(p.m_joystickX.joystickValue, p.m_joystickX.smoothing.coeffB);
    EXPECT_FLOAT_EQ(p.m_joystickY.joystickValue, -p.m_joystickY.smoothing.coeffB);
    EXPECT_NEAR(p.joystickReports[0].acMix, (1.0f + p.m_joystickX.joystickValue) * 0.5f, 1e-6);
}

TEST(CPlugInJoystick, AnAxisWithoutSmoothingKeepsItsValueWhileTheOtherSmooths)
{
    TestPlugIn p;
    p.m_joystickX.smoothingEnabled = true;
    p.prepareToProcess();

    p.setJoystickY(0.5f, false);
    EXPECT_TRUE(p.joystickReports.empty());
    for (int i = 0; i < 10; ++i)
        p.smoothControls();
    EXPECT_EQ(p.m_joystickY.joystickValue, 0.5f);
    EXPECT_EQ(p.joystickReports.size(), 10u);

    TestPlugIn q;
    q.m_joystickY.smoothingEnabled = true;
    q.prepareToProcess();
    q.setJoystickY(1.0f, false);
    EXPECT_TRUE(q.joystickReports.empty());
    q.smoothControls();
    EXPECT_GT(q.m_joystickY.joystickValue, 0.0f) << "Y moves although X is not smoothed";
    EXPECT_EQ(q.joystickReports.size(), 1u);
}

TEST(CPlugInHost, TimeInfoIsCopiedOnlyWhenPresent)
{
    CPlugIn p;
    HostTimeInfo info;
    info.samplePosition = 88200;
    info.timeSeconds = 2.0;
    info.tempoBpm = 120.0;
    info.timeSigNumerator = 3.0f;
    info.timeSigDenominator = 4;
    PlugInMessage message;
    message.hostTimeInfo = &info;
    message.endMarker = -1;

    p.onHostMessage(kHostMessageMidiEventList, message);
    EXPECT_EQ(p.m_hostInfo.samplePosition, 0u);

    p.onHostMessage(kHostMessageTimeInfo, message);
    EXPECT_EQ(p.m_hostInfo.samplePosition, 88200u);
    EXPECT_EQ(p.m_hostInfo.tempoBpm, 120.0);
    EXPECT_EQ(p.m_hostInfo.timeSigDenominator, 4u);

    PlugInMessage empty;
    p.onHostMessage(kHostMessageTimeInfo, empty);
    EXPECT_EQ(p.m_hostInfo.samplePosition, 88200u);
}

TEST(CPlugInHost, LinkedUpdatesAreNoneAndReleaseFreesAList)
{
    CPlugIn p;
    LinkedControlUpdate* list = nullptr;
    EXPECT_FALSE(p.queryLinkedControlUpdates(0, 1.0f, &list, true));
    EXPECT_EQ(list, nullptr);

    // A list as a derived object would build it; the sanitizer build sees a leak.
    for (int32_t i = 0; i < 3; ++i)
        list = new LinkedControlUpdate{i, 0.5f, list};
    p.releaseLinkedControlUpdates(&list);
    EXPECT_EQ(list, nullptr);
    p.releaseLinkedControlUpdates(&list);
    p.releaseLinkedControlUpdates(nullptr);
}
