#pragma once

#include "LiteralCircuitFIR.h"
#include "dsp/CNoiseGate.h"
#include "dsp/CQuorzel.h"
#include "dsp/CTransferCurve.h"

#include <array>
#include <memory>

// One channel of CQuorzel's chain, frame by frame, with the literal engine in place of
// the networks: the pedal as it sounded with 127 samples of delay per network. It copies
// its taps, stage gains and gate settings from a CQuorzel; follow() takes up the taps
// again after a control change, which the literal engine phases in partition by
// partition.
class LiteralQuorzelChain
{
public:
    LiteralQuorzelChain(const CQuorzel& q, int channel);

    void follow(const CQuorzel& q);
    float process(float x);

    static constexpr int kDelay = 5 * (2 * CQuorzel::kFilterConfig.blockSize - 1);

private:
    int m_channel;
    float m_trim = 1.0f;
    float m_gains[3] = {};
    float m_threshold = 0.0f;
    // Input, gain, inter-stage, tone stack, volume.
    std::array<std::unique_ptr<LiteralCircuitFIR>, 5> m_filters;
    CTransferCurve m_curves[3];
    CNoiseGate m_gate;
};
