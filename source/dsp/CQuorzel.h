#pragma once

#include "framework/CPlugIn.h"

#include <cstdint>

// The fuzz pedal as a plug-in object: its controls, presets and capabilities.
class CQuorzel : public CPlugIn
{
public:
    // Control ids: positions in the control list, host parameter ids and
    // editor control tags alike.
    enum ControlId : int32_t
    {
        kGain,
        kPush1,
        kPush2,
        kPush3,
        kPush4,
        kVolume,
        kMids,
        kSlopeShift,
        kTrim,
        kGuitarType,
        kGainfilterType,
        kGSModel,
        kVSModel,
        kStereoMono,
        kLeftRight,
        kCircuit,
        kISDModel,
        kINModel,
        kTSType,
        kBoost,
        kNG2Attack,
        kNG2Release,
        kNG2Threshold,
        kPlus,
        kNumControls
    };

    static constexpr int32_t kJoystickXControlId = 32773;
    static constexpr int32_t kJoystickYControlId = 32774;
    static constexpr uint32_t kNumCircuitModels = 17;
    static constexpr uint32_t kNumToneStacks = 20;

    CQuorzel();

    bool buildControls() override;

    // Control variables, bound to the descriptors of the same name.
    float m_fGain = 0.05f;
    float m_fPush1 = 0.7f;
    float m_fPush2 = 0.7f;
    float m_fPush3 = 0.8f;
    float m_fPush4 = 1.0f;
    float m_fVolume = 0.25f;
    float m_fMids = 0.5f;
    float m_fSlopeShift = 1.0f;
    float m_fTrim = 1.0f;
    uint32_t m_uGuitarType = 0;
    uint32_t m_uGainfilterType = 0;
    uint32_t m_uGSModel = 0;
    uint32_t m_uVSModel = 0;
    uint32_t m_uStereoMono = 0;
    uint32_t m_uLeftRight = 0;
    uint32_t m_uCircuit = 0;
    uint32_t m_uISDModel = 0;
    uint32_t m_uINModel = 0;
    uint32_t m_uTSType = 0;
    float m_fBoost = 0.0f;
    float m_fAttackMsec = 350.0f;
    float m_fReleaseMsec = 25.0f;
    float m_fNG2Threshold = -50.0f;
    uint32_t m_uPlus = 0;
};
