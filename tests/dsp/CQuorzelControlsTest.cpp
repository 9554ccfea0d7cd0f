#include "dsp/CQuorzel.h"
#include "dsp/CircuitModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
enum class Kind
{
    Float,
    Index
};

struct ControlRow
{
    const char* name;
    const char* variableName;
    Kind kind;
    const char* units;
    float minValue;
    float maxValue;
    float initial;
    bool voltOctave;
    int items; // enumeration items, 0 for float controls
};

// The model and tone-stack controls offer every row of their tables.
const int kModels = kNumCircuitModels;
const int kToneStacks = CToneStackFIR::typeCount();
const float kLastModel = static_cast<float>(kModels - 1);
const float kLastToneStack = static_cast<float>(kToneStacks - 1);

const ControlRow kTable[CQuorzel::kNumControls] = {
    {"Gain", "m_fGain", Kind::Float, "", 0.002f, 1.0f, 0.05f, true, 0},
    {"Push1", "m_fPush1", Kind::Float, "", 0.5f, 1.5f, 0.7f, false, 0},
    {"Push2", "m_fPush2", Kind::Float, "", 0.5f, 1.5f, 0.7f, false, 0},
    {"Push3", "m_fPush3", Kind::Float, "", 0.5f, 1.5f, 0.8f, false, 0},
    {"Push4", "m_fPush4", Kind::Float, "", 0.5f, 1.5f, 1.0f, false, 0},
    {"Volume", "m_fVolume", Kind::Float, "", 0.01f, 2.0f, 0.25f, true, 0},
    {"Mids", "m_fMids", Kind::Float, "", 0.01f, 1.0f, 0.5f, false, 0},
    {"SlopeShift", "m_fSlopeShift", Kind::Float, "", 0.25f, 4.0f, 1.0f, true, 0},
    {"Trim", "m_fTrim", Kind::Float, "", 0.25f, 4.0f, 1.0f, true, 0},
    {"GuitarType", "m_uGuitarType", Kind::Index, "", 0, 1, 0, false, 2},
    {"GainfilterType", "m_uGainfilterType", Kind::Index, "", 0, 1, 0, false, 2},
    {"GS_Model", "m_uGSModel", Kind::Index, "", 0, kLastModel, 0, false, kModels},
    {"VS_Model", "m_uVSModel", Kind::Index, "", 0, kLastModel, 0, false, kModels},
    {"StereoMono", "m_uStereoMono", Kind::Index, "", 0, 1, 0, false, 2},
    {"LeftRight", "m_uLeftRight", Kind::Index, "", 0, 1, 0, false, 2},
    {"Circuit", "m_uCircuit", Kind::Index, "", 0, kLastModel, 0, false, kModels},
    {"ISD_Model", "m_uISDModel", Kind::Index, "", 0, kLastModel, 0, false, kModels},
    {"IN_Model", "m_uINModel", Kind::Index, "", 0, kLastModel, 0, false, kModels},
    {"TS_Type", "m_uTSType", Kind::Index, "", 0, kLastToneStack, 0, false, kToneStacks},
    {"Boost", "m_fBoost", Kind::Float, "", 0.0f, 1.0f, 0.0f, false, 0},
    {"NG2_Attack", "m_fAttackMsec", Kind::Float, "msec", 1.0f, 2000.0f, 350.0f, false, 0},
    {"NG2_Release", "m_fReleaseMsec", Kind::Float, "msec", 1.0f, 500.0f, 25.0f, false, 0},
    {"NG2_Threshold", "m_fNG2Threshold", Kind::Float, "dB", -70.0f, -20.0f, -50.0f, false, 0},
    {"Plus", "m_uPlus", Kind::Index, "", 0, 1, 0, false, 2},
};

std::vector<std::string> items(const char* enumeration)
{
    std::vector<std::string> out;
    if (enumeration[0] == '\0')
        return out;
    const std::string text = enumeration;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        out.push_back(text.substr(start, comma - start));
    out.push_back(text.substr(start));
    return out;
}

class QuorzelControls : public testing::Test
{
protected:
    CQuorzel q;

    const CControlDescriptor& control(int id) const { return *q.m_controlList.get(id); }
};
} // namespace

TEST_F(QuorzelControls, TableMatchesTheControlList)
{
    ASSERT_EQ(q.m_controlList.count(), 24u);
    ASSERT_EQ(q.m_controlCount, 24u);
    ASSERT_EQ(q.m_controls.size(), 24u);

    for (int id = 0; id < CQuorzel::kNumControls; ++id)
    {
        const ControlRow& row = kTable[id];
        const CControlDescriptor& d = control(id);
        SCOPED_TRACE(row.name);
        EXPECT_EQ(q.m_controls[id], &d);
        EXPECT_EQ(d.controlType, kControlTypeUser);
        EXPECT_EQ(d.controlId, id);
        EXPECT_EQ(d.controlIndex, id);
        EXPECT_STREQ(d.name, row.name);
        EXPECT_STREQ(d.variableName, row.variableName);
        EXPECT_STREQ(d.units, row.units);
        EXPECT_FLOAT_EQ(d.minValue, row.minValue);
        EXPECT_FLOAT_EQ(d.maxValue, row.maxValue);
        EXPECT_EQ(d.voltOctaveTaper, row.voltOctave);
        EXPECT_FALSE(d.logTaper);
        EXPECT_EQ(static_cast<int>(items(d.enumeration).size()), row.items);
        EXPECT_EQ(d.precision, 2);
        EXPECT_FALSE(d.smoothingEnabled);
        EXPECT_FLOAT_EQ(d.smoothingTimeMs, 100.0f);
        EXPECT_FALSE(d.midiControlEnabled);
        EXPECT_EQ(d.midiStatus, 0xB0);
        EXPECT_EQ(d.midiController, 3);
        EXPECT_EQ(d.meterVariable, nullptr);
        EXPECT_EQ(d.updateQueue, nullptr);
        if (row.kind == Kind::Float)
        {
            EXPECT_EQ(d.dataType, kDataTypeFloat);
            ASSERT_NE(d.floatVariable, nullptr);
            EXPECT_EQ(d.indexVariable, nullptr);
            EXPECT_FLOAT_EQ(*d.floatVariable, row.initial);
            EXPECT_FLOAT_EQ(d.initialFloat, row.initial);
        }
        else
        {
            EXPECT_EQ(d.dataType, kDataTypeIndex);
            ASSERT_NE(d.indexVariable, nullptr);
            EXPECT_EQ(d.floatVariable, nullptr);
            EXPECT_EQ(*d.indexVariable, 0u);
        }
        // Preset 0 is the pedal's initial state.
        EXPECT_FLOAT_EQ(static_cast<float>(d.presetValues[0]), row.initial);
    }
}

TEST_F(QuorzelControls, EachControlIsBoundToItsOwnMember)
{
    // Full scale on every control, then check the member named in the table.
    for (uint32_t id = 0; id < 24; ++id)
        q.setNormalizedControlValue(id, 1.0f, true);
    EXPECT_FLOAT_EQ(q.m_fGain, 1.0f);
    EXPECT_FLOAT_EQ(q.m_fPush4, 1.5f);
    EXPECT_FLOAT_EQ(q.m_fVolume, 2.0f);
    EXPECT_FLOAT_EQ(q.m_fMids, 1.0f);
    EXPECT_FLOAT_EQ(q.m_fTrim, 4.0f);
    EXPECT_EQ(q.m_uGuitarType, 1u);
    EXPECT_EQ(q.m_uGSModel, 16u);
    EXPECT_EQ(q.m_uLeftRight, 1u);
    EXPECT_EQ(q.m_uINModel, 16u);
    EXPECT_EQ(q.m_uTSType, 19u);
    EXPECT_FLOAT_EQ(q.m_fAttackMsec, 2000.0f);
    EXPECT_FLOAT_EQ(q.m_fReleaseMsec, 500.0f);
    EXPECT_FLOAT_EQ(q.m_fNG2Threshold, -20.0f);
    EXPECT_EQ(q.m_uPlus, 1u);
    // Distinct addresses: no two descriptors share a variable.
    for (int i = 0; i < 24; ++i)
        for (int j = i + 1; j < 24; ++j)
        {
            const void* a = control(i).floatVariable
                                ? static_cast<const void*>(control(i).floatVariable)
                                : control(i).indexVariable;
            const void* b = control(j).floatVariable
                                ? static_cast<const void*>(control(j).floatVariable)
                                : control(j).indexVariable;
            EXPECT_NE(a, b) << i << " and " << j;
        }
}

TEST_F(QuorzelControls, EnumerationTexts)
{
    std::vector<std::string> models;
    for (const CircuitModel& model : kCircuitModels)
        models.emplace_back(model.name);
    for (int id : {CQuorzel::kGSModel, CQuorzel::kVSModel, CQuorzel::kCircuit, CQuorzel::kISDModel,
                   CQuorzel::kINModel})
        EXPECT_EQ(items(control(id).enumeration), models) << id;
    std::vector<std::string> toneStacks;
    for (int type = 0; type < kToneStacks; ++type)
        toneStacks.emplace_back(CToneStackFIR::typeName(type));
    EXPECT_EQ(items(control(CQuorzel::kTSType).enumeration), toneStacks);
    EXPECT_STREQ(control(CQuorzel::kGuitarType).enumeration, "GUITAR,BASS");
    EXPECT_STREQ(control(CQuorzel::kGainfilterType).enumeration, "NORMAL,LOWCUT");
    EXPECT_STREQ(control(CQuorzel::kStereoMono).enumeration, "Stereo,Mono");
    EXPECT_STREQ(control(CQuorzel::kLeftRight).enumeration, "Left,Right");
    EXPECT_STREQ(control(CQuorzel::kPlus).enumeration, "OFF,ON");
}

// Hosts list the presets by name, and the tools pick them by name in any case.
TEST_F(QuorzelControls, PresetsHaveDistinctNames)
{
    std::set<std::string> seen;
    for (const char* name : q.m_presetNames)
    {
        ASSERT_NE(name, nullptr);
        std::string folded(name);
        EXPECT_FALSE(folded.empty());
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(seen.insert(folded).second) << name;
    }
}

// Every preset value is one its control can take: an entry of a list, or a
// value in the range. A load holds a value past an end to that end, so one
// may lie past it only by the rounding of the end itself.
TEST_F(QuorzelControls, EveryPresetValueFitsItsControl)
{
    for (int id = 0; id < CQuorzel::kNumControls; ++id)
    {
        const CControlDescriptor& d = control(id);
        const double lo = d.minValue;
        const double hi = d.maxValue;
        for (int p = 0; p < kNumPresets; ++p)
        {
            SCOPED_TRACE(testing::Message() << q.m_presetNames[p] << " / " << d.name);
            const double value = d.presetValues[p];
            ASSERT_TRUE(std::isfinite(value));
            if (d.dataType == kDataTypeIndex)
            {
                EXPECT_EQ(value, std::floor(value));
                EXPECT_GE(value, lo);
                EXPECT_LE(value, hi);
                continue;
            }
            const double rounding = 1e-4 * (hi - lo);
            EXPECT_GE(value, lo - rounding);
            EXPECT_LE(value, hi + rounding);
        }
    }
}

TEST_F(QuorzelControls, JoystickDescriptors)
{
    const CControlDescriptor* axes[2] = {&q.m_joystickX, &q.m_joystickY};
    for (int i = 0; i < 2; ++i)
    {
        const CControlDescriptor& axis = *axes[i];
        EXPECT_EQ(axis.controlId, 32773 + i);
        EXPECT_EQ(axis.controlIndex, 24 + i);
        EXPECT_EQ(axis.joystickValue, 0.0f);
        EXPECT_TRUE(axis.joystickOrientation);
        EXPECT_FALSE(axis.smoothingEnabled);
        EXPECT_FLOAT_EQ(axis.smoothingTimeMs, 100.0f);
        EXPECT_FALSE(axis.midiControlEnabled);
        EXPECT_EQ(axis.midiStatus, 0xB0);
        EXPECT_EQ(axis.midiController, 16 + i);
        for (double v : axis.presetValues)
            EXPECT_EQ(v, 0.0);
    }
}

TEST_F(QuorzelControls, CapabilityMembers)
{
    EXPECT_STREQ(q.m_name, "Quorzel");
    EXPECT_TRUE(q.m_usesEditorDescription);
    EXPECT_FALSE(q.m_outputOnly);
    EXPECT_FALSE(q.m_wantsAllMidi);
    EXPECT_TRUE(q.m_processesBuffers);
    EXPECT_STREQ(q.m_buttonNames[0], "B1");
    EXPECT_STREQ(q.m_buttonNames[1], "B2");
    EXPECT_STREQ(q.m_buttonNames[2], "B3");
    EXPECT_EQ(q.m_editorOption, 2);
    EXPECT_EQ(q.m_infiniteTail, 0);
    EXPECT_EQ(q.m_wantsSidechain, 0);
    EXPECT_EQ(q.m_sampleAccurate, 0);
    EXPECT_EQ(q.m_sampleAccuracyGranularity, 1);
    EXPECT_EQ(q.m_latencySamples, 0.0f);
    EXPECT_FLOAT_EQ(q.m_tailMilliseconds, 500.0f);
}

TEST_F(QuorzelControls, SecondBuildLeavesTheListAlone)
{
    CControlDescriptor* first = q.m_controls[0];
    q.m_fGain = 0.5f;
    EXPECT_TRUE(q.buildControls());
    EXPECT_EQ(q.m_controlList.count(), 24u);
    EXPECT_EQ(q.m_controlCount, 24u);
    EXPECT_EQ(q.m_controls[0], first);
    EXPECT_FLOAT_EQ(q.m_fGain, 0.5f) << "variables keep their values";
}

TEST(QuorzelFactory, CreatesAQuorzelWithItsControls)
{
    std::unique_ptr<CPlugIn> p(createPlugInObject());
    ASSERT_NE(p, nullptr);
    EXPECT_NE(dynamic_cast<CQuorzel*>(p.get()), nullptr);
    EXPECT_EQ(p->m_controlCount, 24u);
    EXPECT_FLOAT_EQ(p->getControlValue(CQuorzel::kNG2Attack), 350.0f);
}
