#include "BlockDelayConvolver.h"

#include <algorithm>
#include <cstddef>

BlockDelayConvolver::BlockDelayConvolver(int N, int L, int B)
    : m_iBlock(B), m_iPartitions(L / B), m_iTransformSize(2 * B),
      m_iActivePartitions(std::min(L / B, (N / 2 + B - 1) / B)),
      m_vTaps(static_cast<std::size_t>(L), 0.0), m_vOutput(static_cast<std::size_t>(2 * B), 0.0),
      m_vNextSpectrum(static_cast<std::size_t>(2 * (B + 1)), 0.0),
      m_vSegmentCache(static_cast<std::size_t>(m_iActivePartitions * B), 0.0),
      m_inputTransform(2 * B, CFftwRealTransform::Direction::Forward),
      m_segmentTransform(2 * B, CFftwRealTransform::Direction::Forward),
      m_outputTransform(2 * B, CFftwRealTransform::Direction::Inverse),
      m_pInput(m_inputTransform.time()), m_pSegment(m_segmentTransform.time()),
      m_pSegmentSource(m_vTaps.data()), m_pOutput(m_vOutput.data()),
      m_ring(L, B, m_iActivePartitions)
{
}

void BlockDelayConvolver::setTaps(const std::vector<double>& taps)
{
    std::copy_n(taps.begin(), std::min(taps.size(), m_vTaps.size()), m_vTaps.begin());
}

void BlockDelayConvolver::processBlock()
{
    // The output spectrum of this block pairs the previous input blocks with the current
    // partition spectra; this block's own input and taps take effect from the next block.
    // Every other block both spectra are computed; the next block uses the second.
    m_inputTransform.execute();
    m_ring.pushInput(m_inputTransform.bins());

    if (m_iPhase < m_iActivePartitions)
    {
        const int B = m_iBlock;
        double* cached = m_vSegmentCache.data() + static_cast<std::size_t>(m_iPhase * B);
        if (!std::equal(m_pSegment, m_pSegment + B, cached))
        {
            std::copy(m_pSegment, m_pSegment + B, cached);
            m_segmentTransform.execute();
            m_ring.stagePartition(m_iPhase, m_segmentTransform.bins());
        }
    }

    if (m_bNextSpectrumReady)
    {
        std::copy(m_vNextSpectrum.begin(), m_vNextSpectrum.end(), m_outputTransform.bins());
        m_bNextSpectrumReady = false;
    }
    else
    {
        m_ring.accumulatePair(m_outputTransform.bins(), m_vNextSpectrum.data());
        m_bNextSpectrumReady = true;
    }
    m_ring.commitPartition();

    m_outputTransform.execute();
    const double* y = m_outputTransform.time();
    const double norm = 1.0 / m_iTransformSize;
    double* out = m_pOutput;
    for (int i = 0; i < m_iBlock; ++i)
        out[i] = y[i] * norm + out[m_iBlock + i];
    for (int i = m_iBlock; i < m_iTransformSize; ++i)
        out[i] = y[i] * norm;

    m_iPos = 0;
    m_iSegmentOffset += m_iBlock;
    if (++m_iPhase == m_iPartitions)
    {
        m_iPhase = 0;
        m_iSegmentOffset = 0;
    }
    m_pSegmentSource = m_vTaps.data() + m_iSegmentOffset;
}
