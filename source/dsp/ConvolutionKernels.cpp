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
using Accumulate = void (*)(const double* const*, const double* const*, const double*,
                            const double*, int, int, int, double*);

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

void accumulatePlain(const double* const* xRe, const double* const* xIm, const double* hRe,
                     const double* hIm, int stride, int parts, int bins, double* spectrum)
{
    for (int b = 0; b < bins; ++b)
    {
        double rr = 0.0, ii = 0.0, ri = 0.0, ir = 0.0;
        for (int k = 0; k < parts; ++k)
        {
            const double xr = xRe[k][b], xi = xIm[k][b];
            const double hr = hRe[k * stride + b], hi = hIm[k * stride + b];
            rr = std::fma(xr, hr, rr);
            ii = std::fma(xi, hi, ii);
            ri = std::fma(xr, hi, ri);
            ir = std::fma(xi, hr, ir);
        }
        spectrum[2 * b] = rr - ii;
        spectrum[2 * b + 1] = ri + ir;
    }
}

#ifdef ZARG_X86_KERNELS
#pragma GCC push_options
#pragma GCC target("arch=x86-64-v4")
namespace v4
{
// G groups of eight outputs from block position n0 (a multiple of 8); lane l of group g is
// output n0 + 8g + l, so the tap vector of row k meets input x[n0 + 8g - k] and the
// partial sum of lane l takes m = k + l into s_(k mod 4).
template <int G>
[[gnu::always_inline]] inline void directGroups(const double* table, int taps, const double* x,
                                                const double* tail, double* out, int n0,
                                                const __mmask8 (&mask)[4])
{
    __m512d acc[G][4];
    for (int g = 0; g < G; ++g)
        for (int r = 0; r < 4; ++r)
            acc[g][r] = _mm512_setzero_pd();
    auto step = [&](int k, int q)
    {
        const __m512d t = _mm512_load_pd(table + 8 * (k + 7));
        for (int g = 0; g < G; ++g)
            acc[g][q] = _mm512_fmadd_pd(t, _mm512_set1_pd(x[n0 + 8 * g - k]), acc[g][q]);
    };
    step(-7, 1);
    step(-6, 2);
    step(-5, 3);
    for (int k = -4; k < taps; k += 4)
    {
        step(k, 0);
        step(k + 1, 1);
        step(k + 2, 2);
        step(k + 3, 3);
    }
    for (int g = 0; g < G; ++g)
    {
        const int at = n0 + 8 * g;
        const __m512d s =
            _mm512_add_pd(_mm512_add_pd(acc[g][0], acc[g][1]), _mm512_add_pd(acc[g][2], acc[g][3]));
        const __m512d t = _mm512_maskz_loadu_pd(mask[g], tail + at);
        _mm512_mask_storeu_pd(out + at, mask[g], _mm512_add_pd(t, s));
    }
}

// `out` is indexed by block position here.
void directForm(const double* table, const double* /*h*/, int taps, const double* x,
                const double* tail, double* out, int pos, int count)
{
    const int end = pos + count;
    out -= pos;
    for (int n0 = pos & ~7; n0 < end; n0 += 32)
    {
        __mmask8 mask[4];
        for (int g = 0; g < 4; ++g)
        {
            unsigned bits = 0;
            for (int l = 0; l < 8; ++l)
            {
                const int n = n0 + 8 * g + l;
                bits |= (n >= pos && n < end ? 1u : 0u) << l;
            }
            mask[g] = static_cast<__mmask8>(bits);
        }
        switch (std::min(4, (end - n0 + 7) / 8))
        {
        case 4:
            directGroups<4>(table, taps, x, tail, out, n0, mask);
            break;
        case 3:
            directGroups<3>(table, taps, x, tail, out, n0, mask);
            break;
        case 2:
            directGroups<2>(table, taps, x, tail, out, n0, mask);
            break;
        default:
            directGroups<1>(table, taps, x, tail, out, n0, mask);
            break;
        }
    }
}

// V vectors of eight bins at once: four independent sums per vector keep the multiply-adds
// from waiting on each other.
template <int V>
[[gnu::always_inline]] inline void
accumulateChunk(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int stride, int parts, int c, double* re, double* im)
{
    __m512d rr[V], ii[V], ri[V], ir[V];
    for (int v = 0; v < V; ++v)
        rr[v] = ii[v] = ri[v] = ir[v] = _mm512_setzero_pd();
    for (int k = 0; k < parts; ++k)
    {
        const double* xr = xRe[k] + c;
        const double* xi = xIm[k] + c;
        const double* hr = hRe + k * stride + c;
        const double* hi = hIm + k * stride + c;
        for (int v = 0; v < V; ++v)
        {
            const __m512d a = _mm512_loadu_pd(xr + 8 * v);
            const __m512d b = _mm512_loadu_pd(xi + 8 * v);
            const __m512d g = _mm512_loadu_pd(hr + 8 * v);
            const __m512d e = _mm512_loadu_pd(hi + 8 * v);
            rr[v] = _mm512_fmadd_pd(a, g, rr[v]);
            ii[v] = _mm512_fmadd_pd(b, e, ii[v]);
            ri[v] = _mm512_fmadd_pd(a, e, ri[v]);
            ir[v] = _mm512_fmadd_pd(b, g, ir[v]);
        }
    }
    for (int v = 0; v < V; ++v)
    {
        _mm512_storeu_pd(re + 8 * v, _mm512_sub_pd(rr[v], ii[v]));
        _mm512_storeu_pd(im + 8 * v, _mm512_add_pd(ri[v], ir[v]));
    }
}

void accumulate(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int stride, int parts, int bins, double* spectrum)
{
    for (int c = 0; c < bins; c += 16)
    {
        alignas(64) double re[16];
        alignas(64) double im[16];
        const int width = bins - c >= 16 || c + 16 <= stride ? 16 : 8;
        if (width == 16)
            accumulateChunk<2>(xRe, xIm, hRe, hIm, stride, parts, c, re, im);
        else
            accumulateChunk<1>(xRe, xIm, hRe, hIm, stride, parts, c, re, im);
        for (int j = 0; j < width && c + j < bins; ++j)
        {
            spectrum[2 * (c + j)] = re[j];
            spectrum[2 * (c + j) + 1] = im[j];
        }
    }
}
} // namespace v4
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("arch=x86-64-v3")
namespace v3
{
// As the eight-lane version, with groups of four from a multiple of 4 and the low half of
// each table row.
template <int G>
[[gnu::always_inline]] inline void directGroups(const double* table, int taps, const double* x,
                                                const double* tail, double* out, int n0,
                                                const __m256i (&mask)[4])
{
    __m256d acc[G][4];
    for (int g = 0; g < G; ++g)
        for (int r = 0; r < 4; ++r)
            acc[g][r] = _mm256_setzero_pd();
    auto step = [&](int k, int q)
    {
        const __m256d t = _mm256_load_pd(table + 8 * (k + 7));
        for (int g = 0; g < G; ++g)
            acc[g][q] = _mm256_fmadd_pd(t, _mm256_set1_pd(x[n0 + 4 * g - k]), acc[g][q]);
    };
    step(-3, 1);
    step(-2, 2);
    step(-1, 3);
    for (int k = 0; k < taps; k += 4)
    {
        step(k, 0);
        step(k + 1, 1);
        step(k + 2, 2);
        step(k + 3, 3);
    }
    for (int g = 0; g < G; ++g)
    {
        const int at = n0 + 4 * g;
        const __m256d s =
            _mm256_add_pd(_mm256_add_pd(acc[g][0], acc[g][1]), _mm256_add_pd(acc[g][2], acc[g][3]));
        const __m256d t = _mm256_maskload_pd(tail + at, mask[g]);
        _mm256_maskstore_pd(out + at, mask[g], _mm256_add_pd(t, s));
    }
}

void directForm(const double* table, const double* /*h*/, int taps, const double* x,
                const double* tail, double* out, int pos, int count)
{
    const int end = pos + count;
    out -= pos;
    for (int n0 = pos & ~3; n0 < end; n0 += 16)
    {
        __m256i mask[4];
        for (int g = 0; g < 4; ++g)
        {
            const int n = n0 + 4 * g;
            auto lane = [&](int l) -> long long { return n + l >= pos && n + l < end ? -1 : 0; };
            mask[g] = _mm256_setr_epi64x(lane(0), lane(1), lane(2), lane(3));
        }
        switch (std::min(4, (end - n0 + 3) / 4))
        {
        case 4:
            directGroups<4>(table, taps, x, tail, out, n0, mask);
            break;
        case 3:
            directGroups<3>(table, taps, x, tail, out, n0, mask);
            break;
        case 2:
            directGroups<2>(table, taps, x, tail, out, n0, mask);
            break;
        default:
            directGroups<1>(table, taps, x, tail, out, n0, mask);
            break;
        }
    }
}

void accumulate(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int stride, int parts, int bins, double* spectrum)
{
    for (int c = 0; c < bins; c += 8)
    {
        __m256d rr[2], ii[2], ri[2], ir[2];
        for (int v = 0; v < 2; ++v)
            rr[v] = ii[v] = ri[v] = ir[v] = _mm256_setzero_pd();
        for (int k = 0; k < parts; ++k)
        {
            for (int v = 0; v < 2; ++v)
            {
                const int at = c + 4 * v;
                const __m256d a = _mm256_loadu_pd(xRe[k] + at);
                const __m256d b = _mm256_loadu_pd(xIm[k] + at);
                const __m256d g = _mm256_loadu_pd(hRe + k * stride + at);
                const __m256d e = _mm256_loadu_pd(hIm + k * stride + at);
                rr[v] = _mm256_fmadd_pd(a, g, rr[v]);
                ii[v] = _mm256_fmadd_pd(b, e, ii[v]);
                ri[v] = _mm256_fmadd_pd(a, e, ri[v]);
                ir[v] = _mm256_fmadd_pd(b, g, ir[v]);
            }
        }
        alignas(32) double re[8];
        alignas(32) double im[8];
        for (int v = 0; v < 2; ++v)
        {
            _mm256_store_pd(re + 4 * v, _mm256_sub_pd(rr[v], ii[v]));
            _mm256_store_pd(im + 4 * v, _mm256_add_pd(ri[v], ir[v]));
        }
        for (int j = 0; j < 8 && c + j < bins; ++j)
        {
            spectrum[2 * (c + j)] = re[j];
            spectrum[2 * (c + j) + 1] = im[j];
        }
    }
}
} // namespace v3
#pragma GCC pop_options

struct Kernels
{
    DirectForm directForm;
    Accumulate accumulate;
};

Kernels pickKernels()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4"))
        return {v4::directForm, v4::accumulate};
    if (__builtin_cpu_supports("x86-64-v3"))
        return {v3::directForm, v3::accumulate};
    return {directFormPlain, accumulatePlain};
}
#else
struct Kernels
{
    DirectForm directForm;
    Accumulate accumulate;
};

Kernels pickKernels()
{
    return {directFormPlain, accumulatePlain};
}
#endif

const Kernels kKernels = pickKernels();
} // namespace

namespace ConvolutionKernels
{
void addDirectForm(const double* table, const double* h, int taps, const double* x,
                   const double* tail, double* out, int pos, int count)
{
    kKernels.directForm(table, h, taps, x, tail, out, pos, count);
}

int directFormTableSize(int taps)
{
    return 8 * (taps + 7);
}

void fillDirectFormTable(const double* h, int taps, double* table)
{
    for (int k = -7; k < taps; ++k)
        for (int l = 0; l < 8; ++l)
        {
            const int m = k + l;
            table[8 * (k + 7) + l] = m >= 0 && m < taps ? h[m] : 0.0;
        }
}

void multiplyAccumulate(const double* const* xRe, const double* const* xIm, const double* hRe,
                        const double* hIm, int stride, int parts, int bins, double* spectrum)
{
    kKernels.accumulate(xRe, xIm, hRe, hIm, stride, parts, bins, spectrum);
}
} // namespace ConvolutionKernels
