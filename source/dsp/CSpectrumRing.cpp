#include "dsp/CSpectrumRing.h"

#include <cstddef>

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ZARG_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ZARG_CLONES
#endif

namespace
{
constexpr int kChunk = 16;

struct RingView
{
    const double* tapRe;
    const double* tapIm;
    const double* inputRe;
    const double* inputIm;
    int rowStride;
    int partitions;
    int slots;
    int newest;
    int bins;
};

// Chunks of 16 bins keep the accumulators in registers while the partitions stream by.
ZARG_CLONES void multiplyAccumulate(const RingView& v, double* __restrict out)
{
    int c = 0;
    for (; c + kChunk <= v.bins; c += kChunk)
    {
        double accRe[kChunk] = {};
        double accIm[kChunk] = {};
        int slot = v.newest;
        for (int k = 0; k < v.partitions; ++k)
        {
            const double* __restrict xr = v.inputRe + slot * v.rowStride + c;
            const double* __restrict xi = v.inputIm + slot * v.rowStride + c;
            const double* __restrict hr = v.tapRe + k * v.rowStride + c;
            const double* __restrict hi = v.tapIm + k * v.rowStride + c;
            for (int j = 0; j < kChunk; ++j)
            {
                accRe[j] += xr[j] * hr[j] - xi[j] * hi[j];
                accIm[j] += xr[j] * hi[j] + xi[j] * hr[j];
            }
            slot = slot == 0 ? v.slots - 1 : slot - 1;
        }
        for (int j = 0; j < kChunk; ++j)
        {
            out[2 * (c + j)] = accRe[j];
            out[2 * (c + j) + 1] = accIm[j];
        }
    }
    for (; c < v.bins; ++c)
    {
        double accRe = 0.0;
        double accIm = 0.0;
        int slot = v.newest;
        for (int k = 0; k < v.partitions; ++k)
        {
            const double xr = v.inputRe[slot * v.rowStride + c];
            const double xi = v.inputIm[slot * v.rowStride + c];
            const double hr = v.tapRe[k * v.rowStride + c];
            const double hi = v.tapIm[k * v.rowStride + c];
            accRe += xr * hr - xi * hi;
            accIm += xr * hi + xi * hr;
            slot = slot == 0 ? v.slots - 1 : slot - 1;
        }
        out[2 * c] = accRe;
        out[2 * c + 1] = accIm;
    }
}

void storeSplit(const double* bins, int count, double* re, double* im)
{
    for (int i = 0; i < count; ++i)
    {
        re[i] = bins[2 * i];
        im[i] = bins[2 * i + 1];
    }
    im[0] = 0.0;
    im[count - 1] = 0.0;
}
} // namespace

CSpectrumRing::CSpectrumRing(int ringSize, int stride, int partitions)
    : m_iBins(stride + 1), m_iRowStride((stride + 1 + 7) / 8 * 8),
      m_iPartitions(
          partitions < 0 ? 0 : (partitions > ringSize / stride ? ringSize / stride : partitions)),
      m_iSlots(m_iPartitions > 0 ? m_iPartitions : 1)
{
    const auto size = static_cast<std::size_t>(m_iSlots * m_iRowStride);
    m_vTapRe.assign(size, 0.0);
    m_vTapIm.assign(size, 0.0);
    m_vInputRe.assign(size, 0.0);
    m_vInputIm.assign(size, 0.0);
}

void CSpectrumRing::setPartition(int k, const double* bins)
{
    if (k < 0 || k >= m_iPartitions)
        return;
    const auto row = static_cast<std::size_t>(k * m_iRowStride);
    storeSplit(bins, m_iBins, m_vTapRe.data() + row, m_vTapIm.data() + row);
}

void CSpectrumRing::pushInput(const double* bins)
{
    m_iNewest = m_iNewest + 1 == m_iSlots ? 0 : m_iNewest + 1;
    const auto row = static_cast<std::size_t>(m_iNewest * m_iRowStride);
    storeSplit(bins, m_iBins, m_vInputRe.data() + row, m_vInputIm.data() + row);
}

void CSpectrumRing::accumulate(double* out) const
{
    const RingView view{m_vTapRe.data(),   m_vTapIm.data(), m_vInputRe.data(),
                        m_vInputIm.data(), m_iRowStride,    m_iPartitions,
                        m_iSlots,          m_iNewest,       m_iBins};
    multiplyAccumulate(view, out);
    out[1] = 0.0;
    out[2 * m_iBins - 1] = 0.0;
}
