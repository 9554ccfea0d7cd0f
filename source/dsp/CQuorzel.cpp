#include "dsp/CQuorzel.h"

#include "framework/IMidiEventList.h"

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

double CQuorzel::processChannel(int c, float x)
{
    // Denormals and tiny noise enter as exact silence; so does anything
    // non-finite, which would otherwise poison the convolution state for good.
    double v = 0.0;
    if (std::isfinite(x) && std::fabs(static_cast<double>(x)) >= 1e-12)
        v = static_cast<double>(x * m_fTrim);
    v *= static_cast<double>(m_fStageGain1);
    if (m_fNG2Threshold > -65.0f)
    {
        m_pGate[c]->processSample(v);
        v = m_pGate[c]->getOutput();
    }
    m_pInputFilter[c]->processSample(v);
    m_pCurve1[c]->processSample(m_pInputFilter[c]->getOutput());
    m_pGainFilter[c]->processSample(m_pCurve1[c]->getOutput());
    m_pCurve2[c]->processSample(m_pGainFilter[c]->getOutput() * static_cast<double>(m_fStageGain2));
    m_pInterstageFilter[c]->processSample(m_pCurve2[c]->getOutput());
    m_pCurve3[c]->processSample(m_pInterstageFilter[c]->getOutput() *
                                static_cast<double>(m_fStageGain3));
    m_pToneStack[c]->processSample(m_pCurve3[c]->getOutput());
    m_pVolumeFilter[c]->processSample(m_pToneStack[c]->getOutput());
    return m_pVolumeFilter[c]->getOutput();
}

bool CQuorzel::processFrame(const float* input, float* output, uint32_t numInputChannels,
                            uint32_t /*numOutputChannels*/)
{
    applyQueuedControlValues();
    smoothControls();

    const bool mono = m_uStereoMono == 1;
    float left = input[0];
    if (mono && m_uLeftRight != 0)
        left = numInputChannels == 1 ? input[0] : input[1];
    output[0] = static_cast<float>(processChannel(0, left));

    float right = input[1];
    if (mono && m_uLeftRight != 1)
        right = input[0];
    output[1] = static_cast<float>(processChannel(1, right));
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

// The adapter drives this object frame by frame; the block entries only pass
// the signal through while keeping the per-sample services running.
bool CQuorzel::processChannelBuffers(float** inputs, float** outputs, uint32_t numChannels,
                                     int32_t numFrames)
{
    for (int32_t i = 0; i < numFrames; ++i)
    {
        if (m_pMidiEvents)
            m_pMidiEvents->fireMidiEvents(static_cast<uint32_t>(i));
        applyQueuedControlValues();
        smoothControls();
        for (uint32_t c = 0; c < numChannels; ++c)
            outputs[c][i] = inputs[c][i];
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
