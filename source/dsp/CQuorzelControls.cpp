#include "dsp/CQuorzel.h"
#include "dsp/CircuitModel.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
const char* const kPresetNames[kNumPresets] = {
    "Factory Preset", "Blues Crunch", "British Blues", "AmeriBlues", "Chordy",
    "Kleen Crunch",   "OD",           "OD More",       "Crunch 2",   "Warm",
    "Clipper",        "Boost",        "AmeriRock",     "Fuse This",  "British Punk",
    "Hard Rock"};

// The controls that differ between presets; all others hold their default.
struct PresetRow
{
    double gain;
    double volume;
    double mids;
    double slopeShift;
    double trim;
    double gainfilterType;
    double tsType;
    double boost;
    double ng2Threshold;
    double plus;
};

constexpr PresetRow kPresets[kNumPresets] = {
    {0.05, 0.25, 0.5, 1.0, 1.0, 0, 0, 0.0, -50, 0},
    {0.251574, 0.230869, 0.5446, 1.0, 1.0, 1, 9, 0.3, -70, 0},
    {0.608164, 0.243425, 0.32675, 0.959236, 1.0, 1, 11, 0.52, -50, 0},
    {0.297621, 0.243457, 0.5099, 0.959236, 1.0, 1, 11, 0.3, -70, 0},
    {0.083248, 0.23708, 0.7871, 1.000015, 1.000015, 0, 9, 0.0, -70, 0},
    {0.04472, 0.511128, 1.0, 1.000015, 1.000015, 0, 9, 0.0, -70, 0},
    {0.094263, 0.218967, 0.13375, 0.986221, 1.000015, 1, 5, 0.295, -70, 0},
    {0.33702, 0.186765, 0.2674, 0.94603, 1.000015, 1, 5, 0.68, -50, 0},
    {0.239445, 0.237063, 0.7327, 0.933006, 1.000015, 1, 0, 0.32, -70, 0},
    {0.307016, 0.213242, 0.07435, 0.316433, 1.000015, 0, 9, 0.0, -50, 0},
    {0.432105, 0.139565, 0.50995, 1.000015, 1.000015, 1, 8, 0.5, -70, 0},
    {0.043352, 0.38187, 0.72775, 4.000061, 1.000015, 0, 11, 1.0, -70, 0},
    {0.627359, 0.213188, 1.0, 0.25, 1.000015, 0, 1, 0.27, -50, 0},
    {0.999945, 0.107062, 0.19315, 0.25, 1.000015, 0, 11, 0.51, -50, 0},
    {0.999945, 0.213198, 0.37135, 1.042435, 1.000015, 1, 8, 0.18, -50, 0},
    {0.999945, 0.167976, 0.2971, 0.920151, 1.028, 1, 11, 1.0, -50, 1},
};

// Preset value source: one column of kPresets, or the same value in every preset.
struct Presets
{
    double PresetRow::*column = nullptr;
    double value = 0.0;
};

Presets column(double PresetRow::*member)
{
    return {member, 0.0};
}
Presets same(double value)
{
    return {nullptr, value};
}

void fillPresets(CControlDescriptor& d, Presets presets)
{
    for (int p = 0; p < kNumPresets; ++p)
        d.presetValues[p] = presets.column ? kPresets[p].*presets.column : presets.value;
}

CControlDescriptor sharedSettings(int32_t id, const char* name, const char* variableName)
{
    CControlDescriptor d;
    d.controlType = kControlTypeUser;
    d.controlId = id;
    d.controlIndex = id;
    d.setName(name);
    d.setVariableName(variableName);
    d.smoothingEnabled = false;
    d.smoothingTimeMs = 100.0f;
    d.midiControlEnabled = false;
    d.midiStatus = 0xB0;
    d.midiController = 3;
    d.precision = 2;
    return d;
}

enum class Taper
{
    Linear,
    VoltOctave
};

void addFloat(CControlList& list, int32_t id, const char* name, const char* variableName,
              const char* units, float minValue, float maxValue, float& variable, float initial,
              Taper taper, Presets presets)
{
    variable = initial;
    CControlDescriptor d = sharedSettings(id, name, variableName);
    d.setUnits(units);
    d.minValue = minValue;
    d.maxValue = maxValue;
    d.dataType = kDataTypeFloat;
    d.initialFloat = initial;
    d.floatVariable = &variable;
    d.voltOctaveTaper = taper == Taper::VoltOctave;
    fillPresets(d, presets);
    list.append(d);
}

// The items of an enumerated control as the framework carries them: one comma-separated text.
template <typename Name>
std::string itemText(int count, Name name)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            text += ',';
        text += name(i);
    }
    return text;
}

void addIndex(CControlList& list, int32_t id, const char* name, const char* variableName,
              uint32_t& variable, const char* enumeration, Presets presets)
{
    variable = 0;
    CControlDescriptor d = sharedSettings(id, name, variableName);
    d.minValue = 0.0f;
    // The last index follows from the items, so the two cannot disagree.
    d.maxValue =
        static_cast<float>(std::count(enumeration, enumeration + std::strlen(enumeration), ','));
    d.dataType = kDataTypeIndex;
    d.indexVariable = &variable;
    d.setEnumeration(enumeration);
    fillPresets(d, presets);
    list.append(d);
}

void setJoystickAxis(CControlDescriptor& axis, int32_t id, int32_t index, int32_t controller)
{
    axis.controlId = id;
    axis.controlIndex = index;
    axis.joystickValue = 0.0f;
    axis.joystickOrientation = true;
    axis.smoothingEnabled = false;
    axis.smoothingTimeMs = 100.0f;
    axis.midiControlEnabled = false;
    axis.midiStatus = 0xB0;
    axis.midiController = controller;
    std::fill(std::begin(axis.presetValues), std::end(axis.presetValues), 0.0);
}
} // namespace

bool CQuorzel::buildControls()
{
    if (!m_controlList.empty())
        return true;

    CControlList& l = m_controlList;
    const Taper lin = Taper::Linear;
    const Taper vo = Taper::VoltOctave;
    const std::string models =
        itemText(kNumCircuitModels, [](int model) { return kCircuitModels[model].name; });
    const std::string toneStacks = itemText(CToneStackFIR::typeCount(), CToneStackFIR::typeName);

    addFloat(l, kGain, "Gain", "m_fGain", "", 0.002f, 1.0f, m_fGain, 0.05f, vo,
             column(&PresetRow::gain));
    addFloat(l, kPush1, "Push1", "m_fPush1", "", 0.5f, 1.5f, m_fPush1, 0.7f, lin, same(0.7));
    addFloat(l, kPush2, "Push2", "m_fPush2", "", 0.5f, 1.5f, m_fPush2, 0.7f, lin, same(0.7));
    addFloat(l, kPush3, "Push3", "m_fPush3", "", 0.5f, 1.5f, m_fPush3, 0.8f, lin, same(0.8));
    addFloat(l, kPush4, "Push4", "m_fPush4", "", 0.5f, 1.5f, m_fPush4, 1.0f, lin, same(1.0));
    addFloat(l, kVolume, "Volume", "m_fVolume", "", 0.01f, 2.0f, m_fVolume, 0.25f, vo,
             column(&PresetRow::volume));
    addFloat(l, kMids, "Mids", "m_fMids", "", 0.01f, 1.0f, m_fMids, 0.5f, lin,
             column(&PresetRow::mids));
    addFloat(l, kSlopeShift, "SlopeShift", "m_fSlopeShift", "", 0.25f, 4.0f, m_fSlopeShift, 1.0f,
             vo, column(&PresetRow::slopeShift));
    addFloat(l, kTrim, "Trim", "m_fTrim", "", 0.25f, 4.0f, m_fTrim, 1.0f, vo,
             column(&PresetRow::trim));
    addIndex(l, kGuitarType, "GuitarType", "m_uGuitarType", m_uGuitarType, "GUITAR,BASS", same(0));
    addIndex(l, kGainfilterType, "GainfilterType", "m_uGainfilterType", m_uGainfilterType,
             "NORMAL,LOWCUT", column(&PresetRow::gainfilterType));
    addIndex(l, kGSModel, "GS_Model", "m_uGSModel", m_uGSModel, models.c_str(), same(0));
    addIndex(l, kVSModel, "VS_Model", "m_uVSModel", m_uVSModel, models.c_str(), same(0));
    addIndex(l, kStereoMono, "StereoMono", "m_uStereoMono", m_uStereoMono, "Stereo,Mono", same(0));
    addIndex(l, kLeftRight, "LeftRight", "m_uLeftRight", m_uLeftRight, "Left,Right", same(0));
    addIndex(l, kCircuit, "Circuit", "m_uCircuit", m_uCircuit, models.c_str(), same(0));
    addIndex(l, kISDModel, "ISD_Model", "m_uISDModel", m_uISDModel, models.c_str(), same(0));
    addIndex(l, kINModel, "IN_Model", "m_uINModel", m_uINModel, models.c_str(), same(0));
    addIndex(l, kTSType, "TS_Type", "m_uTSType", m_uTSType, toneStacks.c_str(),
             column(&PresetRow::tsType));
    addFloat(l, kBoost, "Boost", "m_fBoost", "", 0.0f, 1.0f, m_fBoost, 0.0f, lin,
             column(&PresetRow::boost));
    addFloat(l, kNG2Attack, "NG2_Attack", "m_fAttackMsec", "msec", 1.0f, 2000.0f, m_fAttackMsec,
             350.0f, lin, same(350.0));
    addFloat(l, kNG2Release, "NG2_Release", "m_fReleaseMsec", "msec", 1.0f, 500.0f, m_fReleaseMsec,
             25.0f, lin, same(25.0));
    addFloat(l, kNG2Threshold, "NG2_Threshold", "m_fNG2Threshold", "dB", -70.0f, -20.0f,
             m_fNG2Threshold, -50.0f, lin, column(&PresetRow::ng2Threshold));
    addIndex(l, kPlus, "Plus", "m_uPlus", m_uPlus, "OFF,ON", column(&PresetRow::plus));

    setJoystickAxis(m_joystickX, kJoystickXControlId, kNumControls, 16);
    setJoystickAxis(m_joystickY, kJoystickYControlId, kNumControls + 1, 17);

    m_buttonNames[0] = "B1";
    m_buttonNames[1] = "B2";
    m_buttonNames[2] = "B3";
    m_usesEditorDescription = true;
    m_editorOption = 2;
    m_infiniteTail = 0;
    m_wantsSidechain = 0;
    m_sampleAccurate = 0;
    m_sampleAccuracyGranularity = 1;
    // The filters add no delay.
    m_latencySamples = 0.0f;
    m_tailMilliseconds = 500.0f;
    std::copy(std::begin(kPresetNames), std::end(kPresetNames), std::begin(m_presetNames));

    indexControls();
    return true;
}
