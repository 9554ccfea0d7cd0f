#pragma once

#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CNoiseGate.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CTransferCurve.h"
#include "dsp/CVolumeNetworkFIR.h"
#include "framework/CPlugIn.h"

#include <cstdint>
#include <memory>

// The fuzz pedal as a plug-in object: its controls, presets and capabilities,
// and per channel the chain trim, gate, input network, curve 1, gain network,
// curve 2, inter-stage network, curve 3, tone stack and volume network.
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

    // Sizes of every filter: 2048-point designs, 2048 taps in blocks of 64.
    static constexpr CCircuitFIR::Config kFilterConfig{
        .designLength = 2048, .convolutionLength = 2048, .blockSize = 64, .tapOffset = 0};
    // Frames the chain runs stage by stage at a time.
    static constexpr int kStretch = 256;

    CQuorzel();
    ~CQuorzel() override;

    bool buildControls() override;
    bool prepareToProcess() override;
    bool postConstruct() override;
    bool processFrame(const float* input, float* output, uint32_t numInputChannels,
                      uint32_t numOutputChannels) override;
    bool onControlChange(int32_t controlId) override;
    void onHostMessage(int32_t type, PlugInMessage& message) override;
    bool processChannelBuffers(float** inputs, float** outputs, uint32_t numChannels,
                               int32_t numFrames) override;
    bool processSampleBlock(const float* input, float* output, uint32_t numInputChannels,
                            uint32_t numOutputChannels, uint32_t numSamples) override;

    // Processing objects, index 0 left and 1 right.
    std::unique_ptr<CInputNetworkFIR> m_pInputFilter[2];
    std::unique_ptr<CTransferCurve> m_pCurve1[2];
    std::unique_ptr<CGainNetworkFIR> m_pGainFilter[2];
    std::unique_ptr<CTransferCurve> m_pCurve2[2];
    std::unique_ptr<CInterstageNetworkFIR> m_pInterstageFilter[2];
    std::unique_ptr<CTransferCurve> m_pCurve3[2];
    std::unique_ptr<CToneStackFIR> m_pToneStack[2];
    std::unique_ptr<CVolumeNetworkFIR> m_pVolumeFilter[2];
    std::unique_ptr<CNoiseGate> m_pGate[2];

    float m_fStageGain1 = 0.7f;
    float m_fStageGain2 = 0.7f;
    float m_fStageGain3 = 0.8f;
    float m_fPlusFactor = 1.6f;
    IMidiEventList* m_pMidiEvents = nullptr;

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

private:
    // The chain has no feedback: each stage runs over the whole stretch before the next.
    // in and out may be the same array; count <= kStretch.
    void processChannel(int channel, const float* in, float* out, int count);
    // The left and right chain inputs of frames [start, start + count).
    void routeInputs(const float* const* inputs, uint32_t numInputChannels, int32_t start,
                     int count, float (&left)[kStretch], float (&right)[kStretch]) const;
    // Everything prepareToProcess sets up but the curve tables and smoothing.
    void setUpProcessing();
    void designToneStacks();
    void designGainNetworks();
    void designInputNetworks();
    void designInterstageNetworks();
    void designVolumeNetworks();
    void setUpGates();
    void computeStageGains();

    double m_dStage[kStretch] = {};
};
