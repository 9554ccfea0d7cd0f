#include "LiteralQuorzelChain.h"

#include <cmath>

namespace
{
std::array<const CCircuitFIR*, 5> networks(const CQuorzel& q, int c)
{
    return {q.m_pInputFilter[c].get(), q.m_pGainFilter[c].get(), q.m_pInterstageFilter[c].get(),
            q.m_pToneStack[c].get(), q.m_pVolumeFilter[c].get()};
}
} // namespace

LiteralQuorzelChain::LiteralQuorzelChain(const CQuorzel& q, int channel) : m_channel(channel)
{
    const auto& c = CQuorzel::kFilterConfig;
    for (auto& f : m_filters)
        f = std::make_unique<LiteralCircuitFIR>(c.designLength, c.convolutionLength, c.blockSize,
                                                c.tapOffset);
    for (int t = 0; t < 3; ++t)
        m_curves[t].selectTable(t);
    m_gate.setParameters(q.m_fAttackMsec, q.m_fReleaseMsec, q.m_sampleRate, q.m_fNG2Threshold);
    follow(q);
}

void LiteralQuorzelChain::follow(const CQuorzel& q)
{
    const auto sources = networks(q, m_channel);
    for (std::size_t i = 0; i < m_filters.size(); ++i)
        if (m_filters[i]->getTaps() != sources[i]->getTaps())
            m_filters[i]->setTaps(sources[i]->getTaps());
    m_trim = q.m_fTrim;
    m_gains[0] = q.m_fStageGain1;
    m_gains[1] = q.m_fStageGain2;
    m_gains[2] = q.m_fStageGain3;
    m_threshold = q.m_fNG2Threshold;
}

float LiteralQuorzelChain::process(float x)
{
    double v = 0.0;
    if (std::isfinite(x) && std::fabs(static_cast<double>(x)) >= 1e-12)
        v = static_cast<double>(x * m_trim);
    v *= static_cast<double>(m_gains[0]);
    if (m_threshold > -65.0f)
    {
        m_gate.processSample(v);
        v = m_gate.getOutput();
    }
    auto network = [&](int i, double in)
    {
        m_filters[static_cast<std::size_t>(i)]->processSample(in);
        return m_filters[static_cast<std::size_t>(i)]->getOutput();
    };
    auto curve = [&](int t, double in)
    {
        m_curves[t].processSample(in);
        return m_curves[t].getOutput();
    };
    v = curve(0, network(0, v));
    v = curve(1, network(1, v) * static_cast<double>(m_gains[1]));
    v = curve(2, network(2, v) * static_cast<double>(m_gains[2]));
    v = network(4, network(3, v));
    return static_cast<float>(v);
}
