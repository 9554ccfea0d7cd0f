#include "dsp/ConvolutionKernels.h"

#include <cmath>

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ZARG_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace
{
using DirectForm = void (*)(const double*, int, const double*, const double*, double*, int);
using Accumulate = void (*)(const double* const*, const double* const*, const double*,
                            const double*, int, int, int, double*);

void directFormPlain(const double* h, int taps, const double* x, const double* tail, double* out,
                     int count)
{
    for (int i = 0; i < count; ++i)
    {
        double s[4] = {0.0, 0.0, 0.0, 0.0};
        for (int m = 0; m < taps; ++m)
            s[m & 3] = std::fma(h[m], x[i - m], s[m & 3]);
        out[i] = tail[i] + ((s[0] + s[1]) + (s[2] + s[3]));
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
// G groups of eight outputs; `last` masks the lanes of the last group.
template <int G>
[[gnu::always_inline]] inline void directGroups(const double* h, int taps, const double* x,
                                                const double* tail, double* out, __mmask8 last)
{
    __m512d acc[G][4];
    for (int g = 0; g < G; ++g)
        for (int r = 0; r < 4; ++r)
            acc[g][r] = _mm512_setzero_pd();
    for (int m = 0; m < taps; ++m)
    {
        const __m512d hm = _mm512_set1_pd(h[m]);
        for (int g = 0; g < G; ++g)
        {
            const __mmask8 k = g == G - 1 ? last : static_cast<__mmask8>(0xFF);
            const __m512d xv = _mm512_maskz_loadu_pd(k, x + 8 * g - m);
            acc[g][m & 3] = _mm512_fmadd_pd(hm, xv, acc[g][m & 3]);
        }
    }
    for (int g = 0; g < G; ++g)
    {
        const __mmask8 k = g == G - 1 ? last : static_cast<__mmask8>(0xFF);
        const __m512d s =
            _mm512_add_pd(_mm512_add_pd(acc[g][0], acc[g][1]), _mm512_add_pd(acc[g][2], acc[g][3]));
        const __m512d t = _mm512_maskz_loadu_pd(k, tail + 8 * g);
        _mm512_mask_storeu_pd(out + 8 * g, k, _mm512_add_pd(t, s));
    }
}

void directForm(const double* h, int taps, const double* x, const double* tail, double* out,
                int count)
{
    int i = 0;
    for (; i + 32 <= count; i += 32)
        directGroups<4>(h, taps, x + i, tail + i, out + i, 0xFF);
    const int rest = count - i;
    if (rest == 0)
        return;
    const auto last = static_cast<__mmask8>(rest % 8 == 0 ? 0xFF : (1u << (rest % 8)) - 1u);
    switch ((rest + 7) / 8)
    {
    case 4:
        directGroups<4>(h, taps, x + i, tail + i, out + i, last);
        break;
    case 3:
        directGroups<3>(h, taps, x + i, tail + i, out + i, last);
        break;
    case 2:
        directGroups<2>(h, taps, x + i, tail + i, out + i, last);
        break;
    default:
        directGroups<1>(h, taps, x + i, tail + i, out + i, last);
        break;
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
__m256i laneMask(int lanes)
{
    return _mm256_setr_epi64x(lanes > 0 ? -1 : 0, lanes > 1 ? -1 : 0, lanes > 2 ? -1 : 0,
                              lanes > 3 ? -1 : 0);
}

// G groups of four outputs; the last group holds `lastLanes` of them.
template <int G>
[[gnu::always_inline]] inline void directGroups(const double* h, int taps, const double* x,
                                                const double* tail, double* out, int lastLanes)
{
    const __m256i full = laneMask(4);
    const __m256i last = laneMask(lastLanes);
    __m256d acc[G][4];
    for (int g = 0; g < G; ++g)
        for (int r = 0; r < 4; ++r)
            acc[g][r] = _mm256_setzero_pd();
    for (int m = 0; m < taps; ++m)
    {
        const __m256d hm = _mm256_set1_pd(h[m]);
        for (int g = 0; g < G; ++g)
        {
            const __m256d xv = _mm256_maskload_pd(x + 4 * g - m, g == G - 1 ? last : full);
            acc[g][m & 3] = _mm256_fmadd_pd(hm, xv, acc[g][m & 3]);
        }
    }
    for (int g = 0; g < G; ++g)
    {
        const __m256i k = g == G - 1 ? last : full;
        const __m256d s =
            _mm256_add_pd(_mm256_add_pd(acc[g][0], acc[g][1]), _mm256_add_pd(acc[g][2], acc[g][3]));
        _mm256_maskstore_pd(out + 4 * g, k, _mm256_add_pd(_mm256_maskload_pd(tail + 4 * g, k), s));
    }
}

void directForm(const double* h, int taps, const double* x, const double* tail, double* out,
                int count)
{
    int i = 0;
    for (; i + 16 <= count; i += 16)
        directGroups<4>(h, taps, x + i, tail + i, out + i, 4);
    const int rest = count - i;
    if (rest == 0)
        return;
    const int last = rest % 4 == 0 ? 4 : rest % 4;
    switch ((rest + 3) / 4)
    {
    case 4:
        directGroups<4>(h, taps, x + i, tail + i, out + i, last);
        break;
    case 3:
        directGroups<3>(h, taps, x + i, tail + i, out + i, last);
        break;
    case 2:
        directGroups<2>(h, taps, x + i, tail + i, out + i, last);
        break;
    default:
        directGroups<1>(h, taps, x + i, tail + i, out + i, last);
        break;
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
void addDirectForm(const double* h, int taps, const double* x, const double* tail, double* out,
                   int count)
{
    kKernels.directForm(h, taps, x, tail, out, count);
}

void multiplyAccumulate(const double* const* xRe, const double* const* xIm, const double* hRe,
                        const double* hIm, int stride, int parts, int bins, double* spectrum)
{
    kKernels.accumulate(xRe, xIm, hRe, hIm, stride, parts, bins, spectrum);
}
} // namespace ConvolutionKernels
