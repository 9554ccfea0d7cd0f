#include "dsp/ConvolutionKernels.h"

#include <algorithm>
#include <cmath>

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ZARG_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace
{
using DirectForm = void (*)(const double*, const double*, int, const double*, const double*,
                            double*, int, int);
using SumLanes = void (*)(const double* const*, const double* const*, const double*, const double*,
                          int, int, int, int, double*);
using FinishLane = void (*)(const double* const*, const double* const*, const double*,
                            const double*, int, int, const double*, double*);

// Bin 0 of the split rows carries DC in re and Nyquist in im; their products are real.
void packedEnds(double dc, double nyquist, int bins, double* spectrum)
{
    spectrum[0] = dc;
    spectrum[1] = 0.0;
    spectrum[2 * bins] = nyquist;
    spectrum[2 * bins + 1] = 0.0;
}

void directFormPlain(const double* /*table*/, const double* h, int taps, const double* x,
                     const double* tail, double* out, int pos, int count)
{
    for (int n = pos; n < pos + count; ++n)
    {
        double s[4] = {0.0, 0.0, 0.0, 0.0};
        for (int m = 0; m < taps; ++m)
            s[(m - n) & 3] = std::fma(h[m], x[n - m], s[(m - n) & 3]);
        out[n - pos] = tail[n] + ((s[0] + s[1]) + (s[2] + s[3]));
    }
}

void sumLanesPlain(const double* const* xRe, const double* const* xIm, const double* hRe,
                   const double* hIm, int bins, int parts, int first, int lanes, double* slots)
{
    for (int d = 0; d < lanes; ++d)
    {
        double* slot = slots + 4 * d * bins;
        for (int b = 0; b < bins; ++b)
        {
            double rr = 0.0, ii = 0.0, ri = 0.0, ir = 0.0;
            for (int k = first + d; k < parts; ++k)
            {
                const double xr = xRe[k - d][b], xi = xIm[k - d][b];
                const double hr = hRe[k * bins + b], hi = hIm[k * bins + b];
                rr = std::fma(xr, hr, rr);
                ii = std::fma(xi, hi, ii);
                ri = std::fma(xr, hi, ri);
                ir = std::fma(xi, hr, ir);
            }
            slot[b] = rr;
            slot[bins + b] = ii;
            slot[2 * bins + b] = ri;
            slot[3 * bins + b] = ir;
        }
    }
}

void finishLanePlain(const double* const* xRe, const double* const* xIm, const double* hRe,
                     const double* hIm, int bins, int count, const double* slot, double* spectrum)
{
    for (int b = 0; b < bins; ++b)
    {
        double rr = slot[b], ii = slot[bins + b], ri = slot[2 * bins + b], ir = slot[3 * bins + b];
        for (int k = 0; k < count; ++k)
        {
            const double xr = xRe[k][b], xi = xIm[k][b];
            const double hr = hRe[k * bins + b], hi = hIm[k * bins + b];
            rr = std::fma(xr, hr, rr);
            ii = std::fma(xi, hi, ii);
            ri = std::fma(xr, hi, ri);
            ir = std::fma(xi, hr, ir);
        }
        spectrum[2 * b] = rr - ii;
        spectrum[2 * b + 1] = ri + ir;
        if (b == 0)
            packedEnds(rr, ii, bins, spectrum);
    }
}

#ifdef ZARG_X86_KERNELS
#pragma GCC push_options
#pragma GCC target("arch=x86-64-v4")
namespace v4
{
struct Simd
{
    using V = __m512d;
    using Mask = __mmask8;
    static constexpr int kWidth = 8;
    static V zero() { return _mm512_setzero_pd(); }
    static V load(const double* p) { return _mm512_load_pd(p); }
    static V broadcast(const double* p) { return _mm512_set1_pd(*p); }
    static void store(double* p, V v) { _mm512_store_pd(p, v); }
    static V fma(V a, V b, V c) { return _mm512_fmadd_pd(a, b, c); }
    static V add(V a, V b) { return _mm512_add_pd(a, b); }
    static V sub(V a, V b) { return _mm512_sub_pd(a, b); }
    static double first(V v) { return _mm512_cvtsd_f64(v); }
    // Lanes from .. to - 1.
    static Mask lanes(int from, int to)
    {
        return static_cast<Mask>(((1u << to) - 1u) & ~((1u << from) - 1u));
    }
    static V maskLoad(Mask m, const double* p) { return _mm512_maskz_loadu_pd(m, p); }
    static void maskStore(double* p, Mask m, V v) { _mm512_mask_storeu_pd(p, m, v); }
    // re[0], im[0], re[1], im[1], ... from p on.
    static void storeInterleaved(double* p, V re, V im)
    {
        const __m512i low = _mm512_setr_epi64(0, 8, 1, 9, 2, 10, 3, 11);
        const __m512i high = _mm512_setr_epi64(4, 12, 5, 13, 6, 14, 7, 15);
        _mm512_storeu_pd(p, _mm512_permutex2var_pd(re, low, im));
        _mm512_storeu_pd(p + 8, _mm512_permutex2var_pd(re, high, im));
    }
};
#include "ConvolutionKernelsSimd.inc"
} // namespace v4
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("arch=x86-64-v3")
namespace v3
{
// Four lanes; the direct form uses the first half of each table row.
struct Simd
{
    using V = __m256d;
    using Mask = __m256i;
    static constexpr int kWidth = 4;
    static V zero() { return _mm256_setzero_pd(); }
    static V load(const double* p) { return _mm256_load_pd(p); }
    static V broadcast(const double* p) { return _mm256_set1_pd(*p); }
    static void store(double* p, V v) { _mm256_store_pd(p, v); }
    static V fma(V a, V b, V c) { return _mm256_fmadd_pd(a, b, c); }
    static V add(V a, V b) { return _mm256_add_pd(a, b); }
    static V sub(V a, V b) { return _mm256_sub_pd(a, b); }
    static double first(V v) { return _mm256_cvtsd_f64(v); }
    static Mask lanes(int from, int to)
    {
        auto lane = [&](int l) -> long long { return l >= from && l < to ? -1 : 0; };
        return _mm256_setr_epi64x(lane(0), lane(1), lane(2), lane(3));
    }
    static V maskLoad(Mask m, const double* p) { return _mm256_maskload_pd(p, m); }
    static void maskStore(double* p, Mask m, V v) { _mm256_maskstore_pd(p, m, v); }
    static void storeInterleaved(double* p, V re, V im)
    {
        const V even = _mm256_unpacklo_pd(re, im);
        const V odd = _mm256_unpackhi_pd(re, im);
        _mm256_storeu_pd(p, _mm256_permute2f128_pd(even, odd, 0x20));
        _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(even, odd, 0x31));
    }
};
#include "ConvolutionKernelsSimd.inc"
} // namespace v3
#pragma GCC pop_options
#endif

struct Kernels
{
    DirectForm directForm;
    SumLanes sumLanes;
    FinishLane finishLane;
};

Kernels kernelsFor(ConvolutionKernels::Path path)
{
#ifdef ZARG_X86_KERNELS
    if (path == ConvolutionKernels::Path::Avx512)
        return {v4::directForm, v4::sumLanes, v4::finishLane};
    if (path == ConvolutionKernels::Path::Avx2)
        return {v3::directForm, v3::sumLanes, v3::finishLane};
#else
    (void)path;
#endif
    return {directFormPlain, sumLanesPlain, finishLanePlain};
}

Kernels active = kernelsFor(ConvolutionKernels::bestPath());
} // namespace

namespace ConvolutionKernels
{
bool supported(Path path)
{
#ifdef ZARG_X86_KERNELS
    __builtin_cpu_init();
    if (path == Path::Avx512)
        return __builtin_cpu_supports("x86-64-v4");
    if (path == Path::Avx2)
        return __builtin_cpu_supports("x86-64-v3");
    return true;
#else
    return path == Path::Plain;
#endif
}

Path bestPath()
{
    for (Path path : {Path::Avx512, Path::Avx2})
        if (supported(path))
            return path;
    return Path::Plain;
}

void usePath(Path path)
{
    active = kernelsFor(supported(path) ? path : bestPath());
}

void addDirectForm(const double* table, const double* h, int taps, const double* x,
                   const double* tail, double* out, int pos, int count)
{
    active.directForm(table, h, taps, x, tail, out, pos, count);
}

int directFormTableSize(int taps)
{
    return 8 * (taps + 7);
}

void fillDirectFormTable(const double* h, int taps, double* table)
{
    std::fill_n(table, directFormTableSize(taps), 0.0);
    for (int k = -7; k < taps; ++k)
    {
        const int from = std::max(0, -k);
        const int to = std::min(8, taps - k);
        std::copy(h + k + from, h + k + to, table + 8 * (k + 7) + from);
    }
}

void sumLanes(const double* const* xRe, const double* const* xIm, const double* hRe,
              const double* hIm, int bins, int parts, int first, int lanes, double* slots)
{
    active.sumLanes(xRe, xIm, hRe, hIm, bins, parts, first, lanes, slots);
}

void finishLane(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int bins, int count, const double* slot, double* spectrum)
{
    active.finishLane(xRe, xIm, hRe, hIm, bins, count, slot, spectrum);
}
} // namespace ConvolutionKernels
