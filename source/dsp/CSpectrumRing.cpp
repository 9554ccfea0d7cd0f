#include "dsp/CSpectrumRing.h"

#include <cstddef>

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

// Vectors of four and eight doubles; the compiler lowers them to what the target offers.
using Lanes4 = double __attribute__((vector_size(4 * sizeof(double))));
using Lanes8 = double __attribute__((vector_size(8 * sizeof(double))));

// Chunks of 16 bins keep the accumulators in registers while the partitions stream by.
template <class Lanes>
[[gnu::always_inline]] inline void multiplyAccumulateWith(const RingView& v, double* __restrict out)
{
    constexpr int Width = static_cast<int>(sizeof(Lanes) / sizeof(double));
    static_assert(Width == 4 || Width == 8);
    constexpr int kVectors = kChunk / Width;
    constexpr auto kBytes = sizeof(Lanes);
    int c = 0;
    for (; c + kChunk <= v.bins; c += kChunk)
    {
        Lanes accRe[kVectors] = {};
        Lanes accIm[kVectors] = {};
        int slot = v.newest;
        for (int k = 0; k < v.partitions; ++k)
        {
            const double* xr = v.inputRe + slot * v.rowStride + c;
            const double* xi = v.inputIm + slot * v.rowStride + c;
            const double* hr = v.tapRe + k * v.rowStride + c;
            const double* hi = v.tapIm + k * v.rowStride + c;
            for (int q = 0; q < kVectors; ++q)
            {
                Lanes a, b, g, h;
                __builtin_memcpy(&a, xr + Width * q, kBytes);
                __builtin_memcpy(&b, xi + Width * q, kBytes);
                __builtin_memcpy(&g, hr + Width * q, kBytes);
                __builtin_memcpy(&h, hi + Width * q, kBytes);
                accRe[q] += a * g;
                accRe[q] -= b * h;
                accIm[q] += a * h;
                accIm[q] += b * g;
            }
            slot = slot == 0 ? v.slots - 1 : slot - 1;
        }
        double re[kChunk];
        double im[kChunk];
        __builtin_memcpy(re, accRe, sizeof(re));
        __builtin_memcpy(im, accIm, sizeof(im));
        for (int j = 0; j < kChunk; ++j)
        {
            out[2 * (c + j)] = re[j];
            out[2 * (c + j) + 1] = im[j];
        }
    }
    // The rest (for B = 64 only the Nyquist bin), with four partial sums to keep the
    // dependency chains short.
    for (; c < v.bins; ++c)
    {
        double accRe[4] = {};
        double accIm[4] = {};
        int slot = v.newest;
        for (int k = 0; k < v.partitions; ++k)
        {
            const double xr = v.inputRe[slot * v.rowStride + c];
            const double xi = v.inputIm[slot * v.rowStride + c];
            const double hr = v.tapRe[k * v.rowStride + c];
            const double hi = v.tapIm[k * v.rowStride + c];
            accRe[k & 3] += xr * hr - xi * hi;
            accIm[k & 3] += xr * hi + xi * hr;
            slot = slot == 0 ? v.slots - 1 : slot - 1;
        }
        out[2 * c] = (accRe[0] + accRe[1]) + (accRe[2] + accRe[3]);
        out[2 * c + 1] = (accIm[0] + accIm[1]) + (accIm[2] + accIm[3]);
    }
}

void multiplyAccumulateGeneric(const RingView& v, double* out)
{
    multiplyAccumulateWith<Lanes4>(v, out);
}

using Kernel = void (*)(const RingView&, double*);

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
// Eight lanes only pay off with 512-bit registers; with AVX2 four lanes are faster.
__attribute__((target("arch=x86-64-v4"))) void multiplyAccumulateV4(const RingView& v, double* out)
{
    multiplyAccumulateWith<Lanes8>(v, out);
}

__attribute__((target("arch=x86-64-v3"))) void multiplyAccumulateV3(const RingView& v, double* out)
{
    multiplyAccumulateWith<Lanes4>(v, out);
}

Kernel pickKernel()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4"))
        return multiplyAccumulateV4;
    if (__builtin_cpu_supports("x86-64-v3"))
        return multiplyAccumulateV3;
    return multiplyAccumulateGeneric;
}
#else
Kernel pickKernel()
{
    return multiplyAccumulateGeneric;
}
#endif

const Kernel kMultiplyAccumulate = pickKernel();

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
    : m_iBins(stride + 1), m_iRowStride((stride + 2) / 2 * 2),
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
    kMultiplyAccumulate(view, out);
    out[1] = 0.0;
    out[2 * m_iBins - 1] = 0.0;
}
