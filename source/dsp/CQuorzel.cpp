#include "dsp/CQuorzel.h"

#include "framework/IMidiEventList.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace
{
constexpr int kConstructionRate = 44100;

// The pair's left and right filters are designed alike, then made live.
template <typename Filter, typename... Args>
void designPair(std::unique_ptr<Filter> (&pair)[2], Args... args)
{
    pair[0]->designModel(args...);
    pair[1]->designModel(args...);
}

// Stage gains are computed in double precision and stored as float.
float stageGain(float push, float boost, double weight, double factor = 1.0)
{
    return static_cast<float>((static_cast<double>(push) + weight * static_cast<double>(boost)) *
                              factor);
}

template <typename Filter>
void goLive(std::unique_ptr<Filter> (&pair)[2], int fs)
{
    for (auto& filter : pair)
        filter->setDecay(0.0, fs);
    for (auto& filter : pair)
        filter->setGain(1.0);
}
} // namespace

CQuorzel::CQuorzel()
{
    for (int c = 0; c < 2; ++c)
    {
        m_pCurve1[c] = std::make_unique<CTransferCurve>();
        m_pCurve2[c] = std::make_unique<CTransferCurve>();
        m_pCurve3[c] = std::make_unique<CTransferCurve>();
    }
    const auto& config = kFilterConfig;
    const int fs = kConstructionRate;
    for (int c = 0; c < 2; ++c)
        m_pToneStack[c] = std::make_unique<CToneStackFIR>(config, fs);
    for (int c = 0; c < 2; ++c)
        m_pGainFilter[c] = std::make_unique<CGainNetworkFIR>(config, fs);
    for (int c = 0; c < 2; ++c)
        m_pInputFilter[c] = std::make_unique<CInputNetworkFIR>(config, fs);
    for (int c = 0; c < 2; ++c)
        m_pInterstageFilter[c] = std::make_unique<CInterstageNetworkFIR>(config, fs);
    for (int c = 0; c < 2; ++c)
        m_pVolumeFilter[c] = std::make_unique<CVolumeNetworkFIR>(config, fs);
    for (int c = 0; c < 2; ++c)
        m_pGate[c] = std::make_unique<CNoiseGate>();

    buildControls();
    m_name = "Quorzel";
    m_usesEditorDescription = true;
    m_outputOnly = false;
    m_wantsAllMidi = false;
    m_processesBuffers = true;
}

CQuorzel::~CQuorzel() = default;

void CQuorzel::designToneStacks()
{
    designPair(m_pToneStack, static_cast<int>(m_uTSType), static_cast<int>(m_uGuitarType),
               static_cast<double>(m_fMids), static_cast<double>(m_fSlopeShift), m_sampleRate);
}

void CQuorzel::designGainNetworks()
{
    designPair(m_pGainFilter, static_cast<int>(m_uGSModel), static_cast<int>(m_uGuitarType),
               static_cast<int>(m_uGainfilterType), static_cast<double>(m_fGain), m_sampleRate);
}

void CQuorzel::designInputNetworks()
{
    designPair(m_pInputFilter, static_cast<int>(m_uINModel), static_cast<int>(m_uGuitarType),
               m_sampleRate);
}

void CQuorzel::designInterstageNetworks()
{
    designPair(m_pInterstageFilter, static_cast<int>(m_uISDModel), static_cast<int>(m_uGuitarType),
               m_sampleRate);
}

void CQuorzel::designVolumeNetworks()
{
    designPair(m_pVolumeFilter, static_cast<int>(m_uVSModel), static_cast<int>(m_uGuitarType),
               static_cast<double>(m_fVolume), m_sampleRate);
}

void CQuorzel::setUpGates()
{
    for (auto& gate : m_pGate)
        gate->setParameters(m_fAttackMsec, m_fReleaseMsec, m_sampleRate, m_fNG2Threshold);
}

// The stage gains follow Push1-3, Boost and Plus alone, whichever of them
// changed last, so that the sound never depends on the order in which a host
// delivers them.
void CQuorzel::computeStageGains()
{
    if (m_uPlus > 1)
        return;
    const double plus = m_uPlus == 1 ? static_cast<double>(m_fPlusFactor) : 1.0;
    m_fStageGain1 = stageGain(m_fPush1, m_fBoost, 0.3, plus);
    m_fStageGain2 = stageGain(m_fPush2, m_fBoost, 0.3, plus);
    m_fStageGain3 = stageGain(m_fPush3, m_fBoost, 0.2);
}

// Every network is designed from the current selections, so a project
// restored before activation sounds as it was saved.
void CQuorzel::setUpProcessing()
{
    designToneStacks();
    goLive(m_pToneStack, m_sampleRate);
    designGainNetworks();
    goLive(m_pGainFilter, m_sampleRate);
    designInputNetworks();
    goLive(m_pInputFilter, m_sampleRate);
    designInterstageNetworks();
    goLive(m_pInterstageFilter, m_sampleRate);
    designVolumeNetworks();
    goLive(m_pVolumeFilter, m_sampleRate);
    setUpGates();
    computeStageGains();
}

bool CQuorzel::postConstruct()
{
    for (auto* curves : {&m_pCurve1, &m_pCurve2, &m_pCurve3})
        for (auto& curve : *curves)
            curve->reset();
    setUpProcessing();
    return true;
}

bool CQuorzel::prepareToProcess()
{
    for (int c = 0; c < 2; ++c)
    {
        m_pCurve1[c]->selectTable(0);
        m_pCurve2[c]->selectTable(1);
        m_pCurve3[c]->selectTable(2);
    }
    setUpProcessing();
    return CPlugIn::prepareToProcess();
}

void CQuorzel::processChannel(int c, const float* in, float* out, int count)
{
    double* v = m_dStage;
    // Denormals and tiny noise enter as exact silence; so does anything non-finite,
    // which would otherwise poison the convolution state for good.
    const double gain1 = m_fStageGain1;
    for (int i = 0; i < count; ++i)
    {
        const float x = in[i];
        double y = 0.0;
        if (std::isfinite(x) && std::fabs(static_cast<double>(x)) >= 1e-12)
            y = static_cast<double>(x * m_fTrim);
        v[i] = y * gain1;
    }
    if (m_fNG2Threshold > -65.0f)
        for (int i = 0; i < count; ++i)
        {
            m_pGate[c]->processSample(v[i]);
            v[i] = m_pGate[c]->getOutput();
        }
    auto curve = [&](CTransferCurve& stage, double gain)
    {
        for (int i = 0; i < count; ++i)
        {
            stage.processSample(v[i] * gain);
            v[i] = stage.getOutput();
        }
    };
    m_pInputFilter[c]->process(v, v, count);
    curve(*m_pCurve1[c], 1.0);
    m_pGainFilter[c]->process(v, v, count);
    curve(*m_pCurve2[c], static_cast<double>(m_fStageGain2));
    m_pInterstageFilter[c]->process(v, v, count);
    curve(*m_pCurve3[c], static_cast<double>(m_fStageGain3));
    m_pToneStack[c]->process(v, v, count);
    m_pVolumeFilter[c]->process(v, v, count);
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<float>(v[i]);
}

void CQuorzel::routeInputs(const float* const* inputs, uint32_t numInputChannels, int32_t start,
                           int count, float (&left)[kStretch], float (&right)[kStretch]) const
{
    const bool mono = m_uStereoMono == 1;
    const float* first = inputs[0] ? inputs[0] + start : nullptr;
    // A mono bus still hands over a second (silent) channel, and the right chain reads it.
    const float* second = inputs[1] ? inputs[1] + start : nullptr;
    const float* leftSource = mono && m_uLeftRight != 0 && numInputChannels > 1 ? second : first;
    const float* rightSource = mono && m_uLeftRight != 1 ? first : second;
    for (int i = 0; i < count; ++i)
    {
        left[i] = leftSource ? leftSource[i] : 0.0f;
        right[i] = rightSource ? rightSource[i] : 0.0f;
    }
}

bool CQuorzel::processFrame(const float* input, float* output, uint32_t numInputChannels,
                            uint32_t /*numOutputChannels*/)
{
    applyQueuedControlValues();
    smoothControls();
    // The frame always carries two samples; a mono bus leaves the second at zero.
    const float* frame[2] = {&input[0], &input[1]};
    float left[kStretch];
    float right[kStretch];
    routeInputs(frame, numInputChannels, 0, 1, left, right);
    processChannel(0, left, &output[0], 1);
    processChannel(1, right, &output[1], 1);
    return true;
}

bool CQuorzel::onControlChange(int32_t controlId)
{
    switch (controlId)
    {
    case kGain:
    case kGainfilterType:
    case kGSModel:
        designGainNetworks();
        break;
    case kPush1:
    case kPush2:
    case kPush3:
    case kBoost:
    case kPlus:
        computeStageGains();
        break;
    case kVolume:
    case kVSModel:
        designVolumeNetworks();
        break;
    case kMids:
    case kSlopeShift:
    case kTSType:
        designToneStacks();
        break;
    case kGuitarType:
        designToneStacks();
        designGainNetworks();
        designInputNetworks();
        designInterstageNetworks();
        designVolumeNetworks();
        break;
    case kCircuit:
        designGainNetworks();
        designInputNetworks();
        designInterstageNetworks();
        designVolumeNetworks();
        break;
    case kISDModel:
        designInterstageNetworks();
        break;
    case kINModel:
        designInputNetworks();
        break;
    case kNG2Threshold:
        setUpGates();
        break;
    default:
        // Push4, Trim, StereoMono, LeftRight, the gate times and the buttons
        // are read where they are used, or do nothing.
        break;
    }
    return true;
}

void CQuorzel::onHostMessage(int32_t type, PlugInMessage& message)
{
    CPlugIn::onHostMessage(type, message);
    if (type == kHostMessageMidiEventList)
        m_pMidiEvents = message.midiEventList;
}

// Stretches of frames run stage by stage. The per-frame services come first for every
// frame of a stretch: MIDI has no effect on the sound, and control values arrive per frame
// only in sample-accurate mode, which then makes every frame a stretch of its own.
bool CQuorzel::processChannelBuffers(float** inputs, float** outputs, uint32_t numChannels,
                                     int32_t numFrames)
{
    const int stretch = m_sampleAccurate ? 1 : kStretch;
    float left[kStretch];
    float right[kStretch];
    for (int32_t start = 0; start < numFrames; start += stretch)
    {
        const int count = static_cast<int>(std::min<int32_t>(stretch, numFrames - start));
        for (int i = 0; i < count; ++i)
        {
            if (m_pMidiEvents)
                m_pMidiEvents->fireMidiEvents(static_cast<uint32_t>(start + i));
            applyQueuedControlValues();
            smoothControls();
        }
        // Both inputs are read before either output is written: hosts may process in place.
        routeInputs(inputs, numChannels, start, count, left, right);
        processChannel(0, left, left, count);
        processChannel(1, right, right, count);
        if (outputs[0])
            std::copy_n(left, count, outputs[0] + start);
        if (numChannels > 1 && outputs[1])
            std::copy_n(right, count, outputs[1] + start);
    }
    return true;
}

bool CQuorzel::processSampleBlock(const float* input, float* output, uint32_t numInputChannels,
                                  uint32_t /*numOutputChannels*/, uint32_t numSamples)
{
    for (uint32_t i = 0; i < numSamples * numInputChannels; ++i)
    {
        if (i % numInputChannels == 0)
            smoothControls();
        output[i] = input[i];
    }
    return true;
}

CPlugIn* createPlugInObject()
{
    return new (std::nothrow) CQuorzel;
}
