#include "dsp/CPartitionedConvolver.h"

#include "dsp/ConvolutionKernels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <utility>

namespace
{
std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}
} // namespace

CPartitionedConvolver::CPartitionedConvolver(int block, int parts, int fade)
    : m_iBlock(block), m_iParts(std::max(parts, 1)), m_iStride((block + 1 + 7) / 8 * 8),
      m_iQuiet((m_iParts + 1) * block), m_pCurrent(&m_responses[0]), m_pNext(&m_responses[1]),
      m_inputTransform(2 * block, CFftwRealTransform::Direction::Forward),
      m_responseTransform(2 * block, CFftwRealTransform::Direction::Forward),
      m_outputTransform(2 * block, CFftwRealTransform::Direction::Inverse)
{
    const int rows = m_iParts - 1;
    for (Response& r : m_responses)
    {
        r.taps.assign(at(m_iParts * block), 0.0);
        r.head.assign(at(block), 0.0);
        r.re.assign(at(std::max(rows, 1) * m_iStride), 0.0);
        r.im.assign(at(std::max(rows, 1) * m_iStride), 0.0);
        r.tail.assign(at(block), 0.0);
    }
    m_vInputRe.assign(at(std::max(rows, 1) * m_iStride), 0.0);
    m_vInputIm.assign(at(std::max(rows, 1) * m_iStride), 0.0);
    m_vRowsRe.assign(at(std::max(rows, 1)), nullptr);
    m_vRowsIm.assign(at(std::max(rows, 1)), nullptr);
    const int steps = std::max(fade, 1);
    m_vFade.resize(at(steps + 1));
    for (int i = 0; i <= steps; ++i)
        m_vFade[at(i)] = 0.5 - 0.5 * std::cos(std::numbers::pi * i / steps);
    m_vScratch.assign(at(block), 0.0);
    // Row pointers for the first block: every input spectrum is still zero.
    for (int p = 0; p < rows; ++p)
    {
        m_vRowsRe[at(p)] = m_vInputRe.data() + p * m_iStride;
        m_vRowsIm[at(p)] = m_vInputIm.data() + p * m_iStride;
    }
}

void CPartitionedConvolver::transformResponse(Response& r)
{
    const int B = m_iBlock;
    std::copy_n(r.taps.begin(), B, r.head.begin());
    double* time = m_responseTransform.time(); // its second half stays zero
    const double* bins = m_responseTransform.bins();
    const double norm = 1.0 / (2.0 * B);
    for (int p = 1; p < m_iParts; ++p)
    {
        std::copy_n(r.taps.data() + p * B, B, time);
        m_responseTransform.execute();
        double* re = r.re.data() + (p - 1) * m_iStride;
        double* im = r.im.data() + (p - 1) * m_iStride;
        for (int b = 0; b <= B; ++b)
        {
            re[b] = bins[2 * b] * norm;
            im[b] = bins[2 * b + 1] * norm;
        }
    }
}

void CPartitionedConvolver::computeTail(Response& r)
{
    const int B = m_iBlock;
    if (m_iParts < 2)
    {
        std::fill(r.tail.begin(), r.tail.end(), 0.0);
        return;
    }
    ConvolutionKernels::multiplyAccumulate(m_vRowsRe.data(), m_vRowsIm.data(), r.re.data(),
                                           r.im.data(), m_iStride, m_iParts - 1, B + 1,
                                           m_outputTransform.bins());
    m_outputTransform.execute();
    std::copy_n(m_outputTransform.time() + B, B, r.tail.begin());
}

void CPartitionedConvolver::setResponse(const double* taps)
{
    Response& target = m_bFading ? *m_pNext : *m_pCurrent;
    if (std::equal(target.taps.begin(), target.taps.end(), taps))
        return;
    const auto count = static_cast<std::ptrdiff_t>(target.taps.size());
    if (m_iQuiet >= (m_iParts + 1) * m_iBlock)
    {
        // Nothing the old response could still say: no fade needed.
        m_bFading = false;
        std::copy_n(taps, count, m_pCurrent->taps.begin());
        transformResponse(*m_pCurrent);
        std::fill(m_pCurrent->tail.begin(), m_pCurrent->tail.end(), 0.0);
        return;
    }
    if (m_bFading)
        freezeFade();
    std::copy_n(taps, count, m_pNext->taps.begin());
    transformResponse(*m_pNext);
    computeTail(*m_pNext);
    m_bFading = true;
    m_iFadePos = 0;
}

// The old side becomes the mix of this moment; all its parts are linear in the taps.
void CPartitionedConvolver::freezeFade()
{
    const double g = m_vFade[at(m_iFadePos)];
    auto mix = [g](std::vector<double>& old, const std::vector<double>& next)
    {
        for (std::size_t i = 0; i < old.size(); ++i)
            old[i] = (1.0 - g) * old[i] + g * next[i];
    };
    mix(m_pCurrent->taps, m_pNext->taps);
    mix(m_pCurrent->head, m_pNext->head);
    mix(m_pCurrent->re, m_pNext->re);
    mix(m_pCurrent->im, m_pNext->im);
    mix(m_pCurrent->tail, m_pNext->tail);
}

void CPartitionedConvolver::finishBlock()
{
    const int B = m_iBlock;
    const int rows = m_iParts - 1;
    double* history = m_inputTransform.time();
    if (rows > 0)
    {
        m_inputTransform.execute();
        m_iNewest = m_iNewest + 1 == rows ? 0 : m_iNewest + 1;
        double* re = m_vInputRe.data() + m_iNewest * m_iStride;
        double* im = m_vInputIm.data() + m_iNewest * m_iStride;
        const double* bins = m_inputTransform.bins();
        for (int b = 0; b <= B; ++b)
        {
            re[b] = bins[2 * b];
            im[b] = bins[2 * b + 1];
        }
        // Partition p + 1 pairs with the input block p blocks before the newest.
        for (int p = 0; p < rows; ++p)
        {
            const int row = (m_iNewest - p + rows) % rows;
            m_vRowsRe[at(p)] = m_vInputRe.data() + row * m_iStride;
            m_vRowsIm[at(p)] = m_vInputIm.data() + row * m_iStride;
        }
    }
    std::copy_n(history + B, B, history);
    computeTail(*m_pCurrent);
    if (m_bFading)
        computeTail(*m_pNext);
    m_iPos = 0;
}

int CPartitionedConvolver::runSegment(const double* in, double* out, int count)
{
    const int B = m_iBlock;
    int n = std::min(count, B - m_iPos);
    if (m_bFading)
        n = std::min(n, static_cast<int>(m_vFade.size()) - 1 - m_iFadePos);

    double* x = m_inputTransform.time() + B + m_iPos;
    int lastLoud = -1;
    for (int i = 0; i < n; ++i)
    {
        x[i] = in[i];
        if (in[i] != 0.0)
            lastLoud = i;
    }
    const int span = (m_iParts + 1) * B;
    m_iQuiet = lastLoud < 0 ? std::min(m_iQuiet + n, span) : n - 1 - lastLoud;

    const Response& cur = *m_pCurrent;
    if (!m_bFading)
        ConvolutionKernels::addDirectForm(cur.head.data(), B, x, cur.tail.data() + m_iPos, out, n);
    else
    {
        double* old = m_vScratch.data();
        const Response& next = *m_pNext;
        ConvolutionKernels::addDirectForm(cur.head.data(), B, x, cur.tail.data() + m_iPos, old, n);
        ConvolutionKernels::addDirectForm(next.head.data(), B, x, next.tail.data() + m_iPos, out,
                                          n);
        const double* w = m_vFade.data() + m_iFadePos;
        for (int i = 0; i < n; ++i)
            out[i] = (1.0 - w[i]) * old[i] + w[i] * out[i];
        m_iFadePos += n;
        if (m_iFadePos + 1 == static_cast<int>(m_vFade.size()))
        {
            std::swap(m_pCurrent, m_pNext);
            m_bFading = false;
        }
    }
    m_iPos += n;
    if (m_iPos == B)
        finishBlock();
    return n;
}

void CPartitionedConvolver::process(const double* in, double* out, int count)
{
    while (count > 0)
    {
        const int n = runSegment(in, out, count);
        in += n;
        out += n;
        count -= n;
    }
}
