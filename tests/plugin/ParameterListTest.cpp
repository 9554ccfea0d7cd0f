#include "PluginFixture.h"
#include "adapter/ParameterIds.h"
#include "dsp/CQuorzel.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <cmath>
#include <map>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Zeri2VST3;

namespace
{

enum class Kind
{
    Linear,
    VoltOctave,
    List
};

struct Expected
{
    ParamID id;
    const char* title;
    const char* units;
    Kind kind;
    double min, max, defaultPlain;
    const char* display; // text of the default value
    int32 entries;       // list parameters
};

const char* const kModels = "mZARG,mRH47,mV1_66_5,mV1_66_11,mV1_67_1,mV1_72_1,m1_72_2,"
                            "mV2_RH_73_18,mV2_Vio_1,mV_75_Pi,mV2_Vio_2,mV2_RH_74_3,"
                            "mV2_RH_75_1,mV2_RH_76_1,mV3_76_3,mV3_79_2,mV6";
const char* const kToneStacks = "t2022,t2222,t2727,t3333,t3333a,t3333b,t3922,t3922a,t3939,"
                                "tFlat,tScoop,tHump,tSymmetric,tTreble,tBass1,tBass2,"
                                "tMidCut1,tMidCut2,tParaMid,tBypass";

const Expected kControls[] = {
    {0, "Gain", "", Kind::VoltOctave, 0.002, 1.0, 0.05, "0.05", 0},
    {1, "Push1", "", Kind::Linear, 0.5, 1.5, 0.7, "0.70", 0},
    {2, "Push2", "", Kind::Linear, 0.5, 1.5, 0.7, "0.70", 0},
    {3, "Push3", "", Kind::Linear, 0.5, 1.5, 0.8, "0.80", 0},
    {4, "Push4", "", Kind::Linear, 0.5, 1.5, 1.0, "1.00", 0},
    {5, "Volume", "", Kind::VoltOctave, 0.01, 2.0, 0.25, "0.25", 0},
    {6, "Mids", "", Kind::Linear, 0.01, 1.0, 0.5, "0.50", 0},
    {7, "SlopeShift", "", Kind::VoltOctave, 0.25, 4.0, 1.0, "1.00", 0},
    {8, "Trim", "", Kind::VoltOctave, 0.25, 4.0, 1.0, "1.00", 0},
    {9, "GuitarType", "", Kind::List, 0, 1, 0, "GUITAR", 2},
    {10, "GainfilterType", "", Kind::List, 0, 1, 0, "NORMAL", 2},
    {11, "GS_Model", "", Kind::List, 0, 16, 0, "mZARG", 17},
    {12, "VS_Model", "", Kind::List, 0, 16, 0, "mZARG", 17},
    {13, "StereoMono", "", Kind::List, 0, 1, 0, "Stereo", 2},
    {14, "LeftRight", "", Kind::List, 0, 1, 0, "Left", 2},
    {15, "Circuit", "", Kind::List, 0, 16, 0, "mZARG", 17},
    {16, "ISD_Model", "", Kind::List, 0, 16, 0, "mZARG", 17},
    {17, "IN_Model", "", Kind::List, 0, 16, 0, "mZARG", 17},
    {18, "TS_Type", "", Kind::List, 0, 19, 0, "t2022", 20},
    {19, "Boost", "", Kind::Linear, 0.0, 1.0, 0.0, "0.00", 0},
    {20, "NG2_Attack", "msec", Kind::Linear, 1.0, 2000.0, 350.0, "350.00", 0},
    {21, "NG2_Release", "msec", Kind::Linear, 1.0, 500.0, 25.0, "25.00", 0},
    {22, "NG2_Threshold", "dB", Kind::Linear, -70.0, -20.0, -50.0, "-50.00", 0},
    {23, "Plus", "", Kind::List, 0, 1, 0, "OFF", 2},
};

struct Extra
{
    ParamID id;
    const char* title;
    int32 flags;
    double defaultNormalized;
    int32 stepCount;
};

const Extra kExtras[] = {
    {kJoystickXId, "VectorJoystick X", ParameterInfo::kCanAutomate, 0.5, 0},
    {kJoystickYId, "VectorJoystick Y", ParameterInfo::kCanAutomate, 0.5, 0},
    {kAssignableButton1Id, "B1", ParameterInfo::kCanAutomate, 0.0, 0},
    {kAssignableButton2Id, "B2", ParameterInfo::kCanAutomate, 0.0, 0},
    {kAssignableButton3Id, "B3", ParameterInfo::kCanAutomate, 0.0, 0},
    {kBypassId, "Bypass", ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, 0.0, 1}, // on/off
    {kPitchBendId, "PitchBend", ParameterInfo::kCanAutomate, 0.0, 0},
    {kMidiVolumeId, "MIDI Vol", ParameterInfo::kCanAutomate, 0.0, 0},
    {kMidiPanId, "MIDI Pan", ParameterInfo::kCanAutomate, 0.0, 0},
    {kModWheelId, "MIDI Mod Wheel", ParameterInfo::kCanAutomate, 0.0, 0},
    {kMidiExpressionId, "MIDI Expression", ParameterInfo::kCanAutomate, 0.0, 0},
    {kChannelPressureId, "MIDI Channel Pressure", ParameterInfo::kCanAutomate, 0.0, 0},
    {kSustainPedalId, "MIDI Sustain Pedal", ParameterInfo::kCanAutomate, 0.0, 0},
    {kAllNotesOffId, "All Notes Off", ParameterInfo::kCanAutomate, 0.0, 0},
    {kPresetParamId, "Factory Presets", ParameterInfo::kIsProgramChange | ParameterInfo::kIsList,
     0.0, 15},
};

std::vector<std::string> split(const std::string& items)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t comma; (comma = items.find(',', start)) != std::string::npos; start = comma + 1)
        out.push_back(items.substr(start, comma - start));
    out.push_back(items.substr(start));
    return out;
}

class ParameterListTest : public PluginFixture
{
protected:
    void SetUp() override
    {
        PluginFixture::SetUp();
        plugin = open();
        controller = plugin->controller();
    }

    std::string display(ParamID id, ParamValue normalized)
    {
        String128 out{};
        EXPECT_EQ(controller->getParamStringByValue(id, normalized, out), kResultOk);
        return text(out);
    }

    std::unique_ptr<ZargHost::PluginInstance> plugin;
    IEditController* controller = nullptr;
};

TEST_F(ParameterListTest, ListsControlsThenAdapterParametersInOrder)
{
    const int32 expectedCount = std::size(kControls) + std::size(kExtras);
    ASSERT_EQ(controller->getParameterCount(), expectedCount);

    for (int32 index = 0; index < expectedCount; ++index)
    {
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(index, info), kResultOk);
        EXPECT_EQ(info.unitId, 0);
        if (index < static_cast<int32>(std::size(kControls)))
        {
            const Expected& e = kControls[index];
            SCOPED_TRACE(e.title);
            EXPECT_EQ(info.id, e.id);
            EXPECT_EQ(text(info.title), e.title);
            EXPECT_EQ(text(info.units), e.units);
            EXPECT_EQ(display(e.id, info.defaultNormalizedValue), e.display);
            EXPECT_DOUBLE_EQ(controller->getParamNormalized(e.id), info.defaultNormalizedValue);
            if (e.kind == Kind::List)
            {
                EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
                EXPECT_EQ(info.stepCount, e.entries - 1);
                EXPECT_EQ(info.defaultNormalizedValue, 0.0);
            }
            else
            {
                EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
                EXPECT_EQ(info.stepCount, 0);
                EXPECT_NEAR(controller->normalizedParamToPlain(e.id, 0.0), e.min, 1e-6);
                EXPECT_NEAR(controller->normalizedParamToPlain(e.id, 1.0), e.max,
                            1e-3 * std::fabs(e.max));
                // The default sits where its taper puts it.
                const double linear = (e.defaultPlain - e.min) / (e.max - e.min);
                const double exponential =
                    std::log2(e.defaultPlain / e.min) / std::log2(e.max / e.min);
                EXPECT_NEAR(info.defaultNormalizedValue,
                            e.kind == Kind::Linear ? linear : exponential, 1e-3);
            }
        }
        else
        {
            const Extra& e = kExtras[index - std::size(kControls)];
            SCOPED_TRACE(e.title);
            EXPECT_EQ(info.id, e.id);
            EXPECT_EQ(text(info.title), e.title);
            EXPECT_EQ(text(info.units), "");
            EXPECT_EQ(info.flags, e.flags);
            EXPECT_EQ(info.stepCount, e.stepCount);
            EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, e.defaultNormalized);
        }
    }
}

TEST_F(ParameterListTest, ListParametersNameEveryEntry)
{
    const std::vector<std::pair<ParamID, std::string>> lists = {
        {9, "GUITAR,BASS"},  {10, "NORMAL,LOWCUT"}, {11, kModels},  {12, kModels},
        {13, "Stereo,Mono"}, {14, "Left,Right"},    {15, kModels},  {16, kModels},
        {17, kModels},       {18, kToneStacks},     {23, "OFF,ON"},
    };
    for (const auto& [id, items] : lists)
    {
        const std::vector<std::string> entries = split(items);
        for (size_t k = 0; k < entries.size(); ++k)
        {
            const double normalized =
                static_cast<double>(k) / static_cast<double>(entries.size() - 1);
            EXPECT_EQ(display(id, normalized), entries[k]) << "parameter " << id;
            EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(id, normalized), k);
        }
    }
}

TEST_F(ParameterListTest, DisplayTextsFollowTheTapers)
{
    EXPECT_EQ(display(7, 0.5), "1.00"); // SlopeShift 0.25..4: the geometric middle
    EXPECT_EQ(display(1, 0.5), "1.00"); // Push1 0.5..1.5: the linear middle
    EXPECT_EQ(display(22, 1.0), "-20.00");
    ParamValue normalized = 0.0;
    EXPECT_EQ(controller->getParamValueByString(7, const_cast<TChar*>(u"1.5"), normalized),
              kResultOk);
    EXPECT_NEAR(normalized, 0.6462, 1e-3);
}

TEST_F(ParameterListTest, UnitsCarryThePresetProgramList)
{
    IUnitInfo* units = plugin->unitInfo();
    ASSERT_EQ(units->getUnitCount(), 2);
    std::map<UnitID, UnitInfo> byId;
    for (int32 i = 0; i < units->getUnitCount(); ++i)
    {
        UnitInfo unit{};
        ASSERT_EQ(units->getUnitInfo(i, unit), kResultOk);
        byId[unit.id] = unit;
    }
    UnitInfo none{};
    EXPECT_EQ(units->getUnitInfo(2, none), kResultFalse);

    // Unit 0 is the root and carries the preset list; "RootUnit" hangs below it.
    ASSERT_EQ(byId.count(0), 1u);
    EXPECT_EQ(text(byId[0].name), "PresetsUnit");
    EXPECT_EQ(byId[0].parentUnitId, kNoParentUnitId);
    EXPECT_EQ(byId[0].programListId, kPresetParamId);
    ASSERT_EQ(byId.count(1), 1u);
    EXPECT_EQ(text(byId[1].name), "RootUnit");
    EXPECT_EQ(byId[1].parentUnitId, 0);
    EXPECT_EQ(byId[1].programListId, kNoProgramListId);
    // Following the parents from any unit ends at the root, never in a loop.
    for (const auto& [id, unit] : byId)
    {
        UnitID at = id;
        for (size_t hops = 0; at != kNoParentUnitId; ++hops)
        {
            ASSERT_LE(hops, byId.size()) << "unit " << id << " loops";
            ASSERT_EQ(byId.count(at), 1u) << "unit " << id << " has a missing ancestor";
            at = byId[at].parentUnitId;
        }
    }

    ASSERT_EQ(units->getProgramListCount(), 1);
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(list.id, kPresetParamId);
    EXPECT_EQ(text(list.name), "Presets");
    EXPECT_EQ(list.programCount, 16);
    EXPECT_EQ(units->getProgramListInfo(1, list), kResultFalse);

    // The names of the product's own preset table.
    const CQuorzel product;
    for (int32 p = 0; p < 16; ++p)
    {
        String128 name{};
        ASSERT_EQ(units->getProgramName(kPresetParamId, p, name), kResultOk);
        EXPECT_EQ(text(name), product.m_presetNames[p]);
    }
    String128 name{};
    EXPECT_EQ(units->getProgramName(kPresetParamId, 16, name), kResultFalse);
    EXPECT_EQ(units->getProgramName(kPresetParamId, -1, name), kResultFalse);
    EXPECT_EQ(units->getProgramName(1, 0, name), kResultFalse);
    EXPECT_EQ(units->getProgramInfo(kPresetParamId, 0, "key", name), kResultFalse);
    EXPECT_EQ(units->selectUnit(1), kResultOk);
    EXPECT_EQ(units->getSelectedUnit(), 1);
}

} // namespace
