#include "dsp/CPartitionedConvolver.h"

#include "dsp/ConvolutionKernels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <tuple>
#include <utility>

namespace
{
std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// Room for `counts` arrays of doubles, each starting on a 64-byte boundary; their starts.
template <std::size_t K>
std::array<double*, K> carve(std::vector<double>& storage, const std::array<int, K>& counts)
{
    std::size_t total = 8;
    for (int c : counts)
        total += at((c + 7) / 8 * 8);
    storage.assign(total, 0.0);
    auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    double* p = storage.data() + (64 - address % 64) % 64 / sizeof(double);
    std::array<double*, K> starts{};
    for (std::size_t i = 0; i < K; ++i)
    {
        starts[i] = p;
        p += (counts[i] + 7) / 8 * 8;
    }
    return starts;
}

// A transform's interleaved bins 0 .. B as one split row (see ConvolutionKernels), times
// scale.
void splitRow(const double* bins, int B, double scale, double* re, double* im)
{
    for (int b = 1; b < B; ++b)
    {
        re[b] = bins[2 * b] * scale;
        im[b] = bins[2 * b + 1] * scale;
    }
    re[0] = bins[0] * scale;
    im[0] = bins[2 * B] * scale;
}
} // namespace

CPartitionedConvolver::CPartitionedConvolver(int block, int parts, int fade)
    : m_iBlock(block), m_iParts(std::max(parts, 1)), m_iStride(block),
      m_iQuiet((m_iParts + 1) * block), m_pCurrent(&m_responses[0]), m_pNext(&m_responses[1]),
      m_inputTransform(2 * block, CFftwRealTransform::Direction::Forward),
      m_responseTransform(2 * block, CFftwRealTransform::Direction::Forward),
      m_outputTransform(2 * block, CFftwRealTransform::Direction::Inverse)
{
    const int rows = m_iParts - 1;
    const int spectra = std::max(rows, 1) * m_iStride;
    for (Response& r : m_responses)
    {
        r.taps.assign(at(m_iParts * block), 0.0);
        const int table = ConvolutionKernels::directFormTableSize(block);
        std::tie(r.table, r.re, r.im, r.slots) =
            std::tuple_cat(carve<4>(r.storage, {table, spectra, spectra, kAhead * 4 * m_iStride}));
        r.tail.assign(at(block), 0.0);
    }
    const auto input = carve<2>(m_vInputStorage, {spectra, spectra});
    m_pInputRe = input[0];
    m_pInputIm = input[1];
    m_vRowsRe.assign(at(std::max(rows, 1)), nullptr);
    m_vRowsIm.assign(at(std::max(rows, 1)), nullptr);
    const int steps = std::max(fade, 1);
    m_vFade.resize(at(steps + 1));
    for (int i = 0; i <= steps; ++i)
        m_vFade[at(i)] = 0.5 - 0.5 * std::cos(std::numbers::pi * i / steps);
    m_vScratch.assign(at(block), 0.0);
    m_vPending.assign(at(m_iParts * block), 0.0);
    // Row pointers for the first block: every input spectrum is still zero.
    for (int p = 0; p < rows; ++p)
    {
        m_vRowsRe[at(p)] = m_pInputRe + p * m_iStride;
        m_vRowsIm[at(p)] = m_pInputIm + p * m_iStride;
    }
}

void CPartitionedConvolver::transformResponse(Response& r)
{
    const int B = m_iBlock;
    ConvolutionKernels::fillDirectFormTable(r.taps.data(), B, r.table);
    double* time = m_responseTransform.time(); // its second half stays zero
    const double* bins = m_responseTransform.bins();
    const double norm = 1.0 / (2.0 * B);
    for (int p = 1; p < m_iParts; ++p)
    {
        std::copy_n(r.taps.data() + p * B, B, time);
        m_responseTransform.execute();
        splitRow(bins, B, norm, r.re + (p - 1) * m_iStride, r.im + (p - 1) * m_iStride);
    }
}

// Starts the sums of the blocks from the current one to the end of its group; `first` is
// the current block's place in the group.
void CPartitionedConvolver::startSums(Response& r, int first)
{
    ConvolutionKernels::sumLanes(m_vRowsRe.data(), m_vRowsIm.data(), r.re, r.im, m_iStride,
                                 m_iParts - 1, first, kAhead - first,
                                 r.slots + first * 4 * m_iStride);
}

void CPartitionedConvolver::computeTail(Response& r)
{
    const int B = m_iBlock;
    if (m_iParts < 2)
    {
        std::fill(r.tail.begin(), r.tail.end(), 0.0);
        return;
    }
    if (m_iPhase == 0)
        startSums(r, 0);
    ConvolutionKernels::finishLane(m_vRowsRe.data(), m_vRowsIm.data(), r.re, r.im, m_iStride,
                                   std::min(m_iPhase, m_iParts - 1),
                                   r.slots + m_iPhase * 4 * m_iStride, m_outputTransform.bins());
    m_outputTransform.execute();
    std::copy_n(m_outputTransform.time() + B, B, r.tail.begin());
}

void CPartitionedConvolver::setResponse(const double* taps)
{
    std::copy(taps, taps + m_vPending.size(), m_vPending.begin());
    m_bPending = true;
}

// Redesigns come in bursts (a preset sets every control): only the last one is transformed.
void CPartitionedConvolver::applyResponse()
{
    m_bPending = false;
    const double* taps = m_vPending.data();
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
        std::fill_n(m_pCurrent->slots, kAhead * 4 * m_iStride, 0.0);
        return;
    }
    if (m_bFading)
        freezeFade();
    std::copy_n(taps, count, m_pNext->taps.begin());
    transformResponse(*m_pNext);
    if (m_iParts > 1 && m_iPhase > 0)
        startSums(*m_pNext, m_iPhase);
    computeTail(*m_pNext);
    m_bFading = true;
    m_iFadePos = 0;
}

// The old side becomes the mix of this moment; all its parts are linear in the taps.
void CPartitionedConvolver::freezeFade()
{
    const double g = m_vFade[at(m_iFadePos)];
    auto mix = [g](double* old, const double* next, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            old[i] = (1.0 - g) * old[i] + g * next[i];
    };
    Response& old = *m_pCurrent;
    const Response& next = *m_pNext;
    // Of the taps only the direct form's are read again: the old side is replaced whole
    // before it is compared or transformed.
    mix(old.taps.data(), next.taps.data(), at(m_iBlock));
    ConvolutionKernels::fillDirectFormTable(old.taps.data(), m_iBlock, old.table);
    const auto spectra = at(std::max(m_iParts - 1, 1) * m_iStride);
    mix(old.re, next.re, spectra);
    mix(old.im, next.im, spectra);
    mix(old.slots, next.slots, at(kAhead * 4 * m_iStride));
    mix(old.tail.data(), next.tail.data(), old.tail.size());
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
        splitRow(m_inputTransform.bins(), B, 1.0, m_pInputRe + m_iNewest * m_iStride,
                 m_pInputIm + m_iNewest * m_iStride);
        // Partition p + 1 pairs with the input block p blocks before the newest.
        for (int p = 0; p < rows; ++p)
        {
            const int row = m_iNewest >= p ? m_iNewest - p : m_iNewest - p + rows;
            m_vRowsRe[at(p)] = m_pInputRe + row * m_iStride;
            m_vRowsIm[at(p)] = m_pInputIm + row * m_iStride;
        }
    }
    std::copy_n(history + B, B, history);
    m_iPhase = m_iPhase + 1 == kAhead ? 0 : m_iPhase + 1;
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

    const double* block = m_inputTransform.time() + B;
    double* x = m_inputTransform.time() + B + m_iPos;
    std::copy_n(in, n, x);
    int lastLoud = n - 1;
    while (lastLoud >= 0 && in[lastLoud] == 0.0)
        --lastLoud;
    const int span = (m_iParts + 1) * B;
    m_iQuiet = lastLoud < 0 ? std::min(m_iQuiet + n, span) : n - 1 - lastLoud;

    auto directForm = [&](const Response& r, double* to)
    {
        ConvolutionKernels::addDirectForm(r.table, r.taps.data(), B, block, r.tail.data(), to,
                                          m_iPos, n);
    };
    if (!m_bFading)
        directForm(*m_pCurrent, out);
    else
    {
        double* old = m_vScratch.data();
        directForm(*m_pCurrent, old);
        directForm(*m_pNext, out);
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
    if (m_bPending && count > 0)
        applyResponse();
    while (count > 0)
    {
        const int n = runSegment(in, out, count);
        in += n;
        out += n;
        count -= n;
    }
}
