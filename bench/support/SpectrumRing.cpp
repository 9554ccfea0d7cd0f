#include "SpectrumRing.h"

#include <cstddef>

namespace
{
constexpr int kChunk = 16;

struct RingView
{
    const double* tapRe;
    const double* tapIm;
    const double* stagedRe;
    const double* stagedIm;
    const double* inputRe;
    const double* inputIm;
    int staged;
    int rowStride;
    int partitions;
    int slots;
    int newest;
    int bins;
};

// Vectors of four and eight doubles; the compiler lowers them to what the target offers.
using Lanes4 = double __attribute__((vector_size(4 * sizeof(double))));
using Lanes8 = double __attribute__((vector_size(8 * sizeof(double))));

// By reference: vector return values change the calling convention between targets.
template <class Lanes>
[[gnu::always_inline]] inline void loadLanes(Lanes& v, const double* p)
{
    __builtin_memcpy(&v, p, sizeof(Lanes));
}

// Chunks of 16 bins keep both sets of accumulators in registers while the partitions
// stream by. For partition k the first spectrum takes input row newest - 1 - k, the
// second newest - k.
template <class Lanes>
[[gnu::always_inline]] inline void accumulatePairWith(const RingView& v, double* __restrict first,
                                                      double* __restrict second)
{
    constexpr int Width = static_cast<int>(sizeof(Lanes) / sizeof(double));
    static_assert(Width == 4 || Width == 8);
    constexpr int kVectors = kChunk / Width;
    const int stride = v.rowStride;
    int c = 0;
    for (; c + kChunk <= v.bins; c += kChunk)
    {
        Lanes firstRe[kVectors] = {};
        Lanes firstIm[kVectors] = {};
        Lanes secondRe[kVectors] = {};
        Lanes secondIm[kVectors] = {};
        int slot = v.newest;
        for (int k = 0; k < v.partitions; ++k)
        {
            const int older = slot == 0 ? v.slots - 1 : slot - 1;
            const double* xr1 = v.inputRe + older * stride + c;
            const double* xi1 = v.inputIm + older * stride + c;
            const double* xr2 = v.inputRe + slot * stride + c;
            const double* xi2 = v.inputIm + slot * stride + c;
            const double* hr1 = v.tapRe + k * stride + c;
            const double* hi1 = v.tapIm + k * stride + c;
            const bool replaced = k == v.staged;
            const double* hr2 = replaced ? v.stagedRe + c : hr1;
            const double* hi2 = replaced ? v.stagedIm + c : hi1;
            for (int q = 0; q < kVectors; ++q)
            {
                Lanes a, b, a2, b2, g, h;
                loadLanes(a, xr1 + Width * q);
                loadLanes(b, xi1 + Width * q);
                loadLanes(a2, xr2 + Width * q);
                loadLanes(b2, xi2 + Width * q);
                loadLanes(g, hr1 + Width * q);
                loadLanes(h, hi1 + Width * q);
                firstRe[q] += a * g;
                firstRe[q] -= b * h;
                firstIm[q] += a * h;
                firstIm[q] += b * g;
                Lanes g2 = g;
                Lanes h2 = h;
                if (replaced)
                {
                    loadLanes(g2, hr2 + Width * q);
                    loadLanes(h2, hi2 + Width * q);
                }
                secondRe[q] += a2 * g2;
                secondRe[q] -= b2 * h2;
                secondIm[q] += a2 * h2;
                secondIm[q] += b2 * g2;
            }
            slot = older;
        }
        double re[kChunk];
        double im[kChunk];
        double re2[kChunk];
        double im2[kChunk];
        __builtin_memcpy(re, firstRe, sizeof(re));
        __builtin_memcpy(im, firstIm, sizeof(im));
        __builtin_memcpy(re2, secondRe, sizeof(re2));
        __builtin_memcpy(im2, secondIm, sizeof(im2));
        for (int j = 0; j < kChunk; ++j)
        {
            first[2 * (c + j)] = re[j];
            first[2 * (c + j) + 1] = im[j];
            second[2 * (c + j)] = re2[j];
            second[2 * (c + j) + 1] = im2[j];
        }
    }
    // The rest (for B = 64 only the Nyquist bin).
    for (; c < v.bins; ++c)
    {
        double re = 0.0, im = 0.0, re2 = 0.0, im2 = 0.0;
        int slot = v.newest;
        for (int k = 0; k < v.partitions; ++k)
        {
            const int older = slot == 0 ? v.slots - 1 : slot - 1;
            const double a = v.inputRe[older * stride + c];
            const double b = v.inputIm[older * stride + c];
            const double a2 = v.inputRe[slot * stride + c];
            const double b2 = v.inputIm[slot * stride + c];
            const double g = v.tapRe[k * stride + c];
            const double h = v.tapIm[k * stride + c];
            const double g2 = k == v.staged ? v.stagedRe[c] : g;
            const double h2 = k == v.staged ? v.stagedIm[c] : h;
            re += a * g - b * h;
            im += a * h + b * g;
            re2 += a2 * g2 - b2 * h2;
            im2 += a2 * h2 + b2 * g2;
            slot = older;
        }
        first[2 * c] = re;
        first[2 * c + 1] = im;
        second[2 * c] = re2;
        second[2 * c + 1] = im2;
    }
}

void accumulatePairGeneric(const RingView& v, double* first, double* second)
{
    accumulatePairWith<Lanes4>(v, first, second);
}

using Kernel = void (*)(const RingView&, double*, double*);

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
// Eight lanes only pay off with 512-bit registers; with AVX2 four lanes are faster.
__attribute__((target("arch=x86-64-v4"))) void accumulatePairV4(const RingView& v, double* first,
                                                                double* second)
{
    accumulatePairWith<Lanes8>(v, first, second);
}

__attribute__((target("arch=x86-64-v3"))) void accumulatePairV3(const RingView& v, double* first,
                                                                double* second)
{
    accumulatePairWith<Lanes4>(v, first, second);
}

Kernel pickKernel()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4"))
        return accumulatePairV4;
    if (__builtin_cpu_supports("x86-64-v3"))
        return accumulatePairV3;
    return accumulatePairGeneric;
}
#else
Kernel pickKernel()
{
    return accumulatePairGeneric;
}
#endif

const Kernel kAccumulatePair = pickKernel();

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

SpectrumRing::SpectrumRing(int ringSize, int stride, int partitions)
    : m_iBins(stride + 1), m_iRowStride((stride + 2) / 2 * 2),
      m_iPartitions(
          partitions < 0 ? 0 : (partitions > ringSize / stride ? ringSize / stride : partitions)),
      // One input spectrum more than partitions: the first spectrum of a pair reaches one
      // block further back.
      m_iSlots(m_iPartitions + 1)
{
    const auto taps =
        static_cast<std::size_t>((m_iPartitions > 0 ? m_iPartitions : 1) * m_iRowStride);
    const auto inputs = static_cast<std::size_t>(m_iSlots * m_iRowStride);
    m_vTapRe.assign(taps, 0.0);
    m_vTapIm.assign(taps, 0.0);
    m_vInputRe.assign(inputs, 0.0);
    m_vInputIm.assign(inputs, 0.0);
    m_vStagedRe.assign(static_cast<std::size_t>(m_iRowStride), 0.0);
    m_vStagedIm.assign(static_cast<std::size_t>(m_iRowStride), 0.0);
}

void SpectrumRing::pushInput(const double* bins)
{
    m_iNewest = m_iNewest + 1 == m_iSlots ? 0 : m_iNewest + 1;
    const auto row = static_cast<std::size_t>(m_iNewest * m_iRowStride);
    storeSplit(bins, m_iBins, m_vInputRe.data() + row, m_vInputIm.data() + row);
}

void SpectrumRing::stagePartition(int k, const double* bins)
{
    if (k < 0 || k >= m_iPartitions)
        return;
    storeSplit(bins, m_iBins, m_vStagedRe.data(), m_vStagedIm.data());
    m_iStaged = k;
}

void SpectrumRing::commitPartition()
{
    if (m_iStaged < 0)
        return;
    const auto row = static_cast<std::size_t>(m_iStaged * m_iRowStride);
    for (int i = 0; i < m_iBins; ++i)
    {
        m_vTapRe[row + static_cast<std::size_t>(i)] = m_vStagedRe[static_cast<std::size_t>(i)];
        m_vTapIm[row + static_cast<std::size_t>(i)] = m_vStagedIm[static_cast<std::size_t>(i)];
    }
    m_iStaged = -1;
}

void SpectrumRing::accumulatePair(double* first, double* second) const
{
    const RingView view{m_vTapRe.data(),    m_vTapIm.data(),   m_vStagedRe.data(),
                        m_vStagedIm.data(), m_vInputRe.data(), m_vInputIm.data(),
                        m_iStaged,          m_iRowStride,      m_iPartitions,
                        m_iSlots,           m_iNewest,         m_iBins};
    kAccumulatePair(view, first, second);
    first[1] = 0.0;
    first[2 * m_iBins - 1] = 0.0;
    second[1] = 0.0;
    second[2 * m_iBins - 1] = 0.0;
}
