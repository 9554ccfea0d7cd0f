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
    auto step = [&](const double* row, const double* in, int q)
    {
        const __m512d t = _mm512_load_pd(row);
        for (int g = 0; g < G; ++g)
            acc[g][q] = _mm512_fmadd_pd(t, _mm512_set1_pd(in[8 * g]), acc[g][q]);
    };
    step(table, x + n0 + 7, 1);
    step(table + 8, x + n0 + 6, 2);
    step(table + 16, x + n0 + 5, 3);
    const double* row = table + 24;
    const double* in = x + n0 + 4;
    for (int k = -4; k < taps; k += 4)
    {
        // Opaque to the compiler: it then broadcasts each input from memory inside the
        // multiply-add instead of holding inputs in registers across rows and spilling.
        asm("" : "+r"(row), "+r"(in));
        step(row, in, 0);
        step(row + 8, in - 1, 1);
        step(row + 16, in - 2, 2);
        step(row + 24, in - 3, 3);
        row += 32;
        in -= 4;
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
            // Lanes l with pos <= n0 + 8g + l < end.
            const int base = n0 + 8 * g;
            const unsigned from = static_cast<unsigned>(std::clamp(pos - base, 0, 8));
            const unsigned to = static_cast<unsigned>(std::clamp(end - base, 0, 8));
            mask[g] = static_cast<__mmask8>(((1u << to) - 1u) & ~((1u << from) - 1u));
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

// Eight bins of L slots; the response rows are loaded once for all of them.
template <int L>
[[gnu::always_inline]] inline void lanesChunk(const double* const* xRe, const double* const* xIm,
                                              const double* hRe, const double* hIm, int bins,
                                              int parts, int first, int c, double* slots)
{
    __m512d rr[L], ii[L], ri[L], ir[L];
    for (int d = 0; d < L; ++d)
        rr[d] = ii[d] = ri[d] = ir[d] = _mm512_setzero_pd();
    for (int k = first; k < parts; ++k)
    {
        const __m512d g = _mm512_load_pd(hRe + k * bins + c);
        const __m512d e = _mm512_load_pd(hIm + k * bins + c);
        for (int d = 0; d < L && k - d >= first; ++d)
        {
            const __m512d a = _mm512_load_pd(xRe[k - d] + c);
            const __m512d b = _mm512_load_pd(xIm[k - d] + c);
            rr[d] = _mm512_fmadd_pd(a, g, rr[d]);
            ii[d] = _mm512_fmadd_pd(b, e, ii[d]);
            ri[d] = _mm512_fmadd_pd(a, e, ri[d]);
            ir[d] = _mm512_fmadd_pd(b, g, ir[d]);
        }
    }
    for (int d = 0; d < L; ++d)
    {
        double* slot = slots + 4 * d * bins + c;
        _mm512_store_pd(slot, rr[d]);
        _mm512_store_pd(slot + bins, ii[d]);
        _mm512_store_pd(slot + 2 * bins, ri[d]);
        _mm512_store_pd(slot + 3 * bins, ir[d]);
    }
}

void sumLanes(const double* const* xRe, const double* const* xIm, const double* hRe,
              const double* hIm, int bins, int parts, int first, int lanes, double* slots)
{
    for (int c = 0; c < bins; c += 8)
        switch (lanes)
        {
        case 4:
            lanesChunk<4>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        case 3:
            lanesChunk<3>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        case 2:
            lanesChunk<2>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        default:
            lanesChunk<1>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        }
}

void finishLane(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int bins, int count, const double* slot, double* spectrum)
{
    const __m512i low = _mm512_setr_epi64(0, 8, 1, 9, 2, 10, 3, 11);
    const __m512i high = _mm512_setr_epi64(4, 12, 5, 13, 6, 14, 7, 15);
    for (int c = 0; c < bins; c += 8)
    {
        __m512d rr = _mm512_load_pd(slot + c);
        __m512d ii = _mm512_load_pd(slot + bins + c);
        __m512d ri = _mm512_load_pd(slot + 2 * bins + c);
        __m512d ir = _mm512_load_pd(slot + 3 * bins + c);
        for (int k = 0; k < count; ++k)
        {
            const __m512d a = _mm512_load_pd(xRe[k] + c);
            const __m512d b = _mm512_load_pd(xIm[k] + c);
            const __m512d g = _mm512_load_pd(hRe + k * bins + c);
            const __m512d e = _mm512_load_pd(hIm + k * bins + c);
            rr = _mm512_fmadd_pd(a, g, rr);
            ii = _mm512_fmadd_pd(b, e, ii);
            ri = _mm512_fmadd_pd(a, e, ri);
            ir = _mm512_fmadd_pd(b, g, ir);
        }
        const __m512d re = _mm512_sub_pd(rr, ii);
        const __m512d im = _mm512_add_pd(ri, ir);
        _mm512_storeu_pd(spectrum + 2 * c, _mm512_permutex2var_pd(re, low, im));
        _mm512_storeu_pd(spectrum + 2 * c + 8, _mm512_permutex2var_pd(re, high, im));
        if (c == 0)
            packedEnds(_mm512_cvtsd_f64(rr), _mm512_cvtsd_f64(ii), bins, spectrum);
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
    auto step = [&](const double* row, const double* in, int q)
    {
        const __m256d t = _mm256_load_pd(row);
        for (int g = 0; g < G; ++g)
            acc[g][q] = _mm256_fmadd_pd(t, _mm256_set1_pd(in[4 * g]), acc[g][q]);
    };
    step(table + 32, x + n0 + 3, 1);
    step(table + 40, x + n0 + 2, 2);
    step(table + 48, x + n0 + 1, 3);
    const double* row = table + 56;
    const double* in = x + n0;
    for (int k = 0; k < taps; k += 4)
    {
        asm("" : "+r"(row), "+r"(in)); // as in the eight-lane version
        step(row, in, 0);
        step(row + 8, in - 1, 1);
        step(row + 16, in - 2, 2);
        step(row + 24, in - 3, 3);
        row += 32;
        in -= 4;
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

// As the eight-lane version, four bins at a time.
template <int L>
[[gnu::always_inline]] inline void lanesChunk(const double* const* xRe, const double* const* xIm,
                                              const double* hRe, const double* hIm, int bins,
                                              int parts, int first, int c, double* slots)
{
    __m256d rr[L], ii[L], ri[L], ir[L];
    for (int d = 0; d < L; ++d)
        rr[d] = ii[d] = ri[d] = ir[d] = _mm256_setzero_pd();
    for (int k = first; k < parts; ++k)
    {
        const __m256d g = _mm256_load_pd(hRe + k * bins + c);
        const __m256d e = _mm256_load_pd(hIm + k * bins + c);
        for (int d = 0; d < L && k - d >= first; ++d)
        {
            const __m256d a = _mm256_load_pd(xRe[k - d] + c);
            const __m256d b = _mm256_load_pd(xIm[k - d] + c);
            rr[d] = _mm256_fmadd_pd(a, g, rr[d]);
            ii[d] = _mm256_fmadd_pd(b, e, ii[d]);
            ri[d] = _mm256_fmadd_pd(a, e, ri[d]);
            ir[d] = _mm256_fmadd_pd(b, g, ir[d]);
        }
    }
    for (int d = 0; d < L; ++d)
    {
        double* slot = slots + 4 * d * bins + c;
        _mm256_store_pd(slot, rr[d]);
        _mm256_store_pd(slot + bins, ii[d]);
        _mm256_store_pd(slot + 2 * bins, ri[d]);
        _mm256_store_pd(slot + 3 * bins, ir[d]);
    }
}

void sumLanes(const double* const* xRe, const double* const* xIm, const double* hRe,
              const double* hIm, int bins, int parts, int first, int lanes, double* slots)
{
    for (int c = 0; c < bins; c += 4)
        switch (lanes)
        {
        case 4:
            lanesChunk<4>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        case 3:
            lanesChunk<3>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        case 2:
            lanesChunk<2>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        default:
            lanesChunk<1>(xRe, xIm, hRe, hIm, bins, parts, first, c, slots);
            break;
        }
}

void finishLane(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int bins, int count, const double* slot, double* spectrum)
{
    for (int c = 0; c < bins; c += 4)
    {
        __m256d rr = _mm256_load_pd(slot + c);
        __m256d ii = _mm256_load_pd(slot + bins + c);
        __m256d ri = _mm256_load_pd(slot + 2 * bins + c);
        __m256d ir = _mm256_load_pd(slot + 3 * bins + c);
        for (int k = 0; k < count; ++k)
        {
            const __m256d a = _mm256_load_pd(xRe[k] + c);
            const __m256d b = _mm256_load_pd(xIm[k] + c);
            const __m256d g = _mm256_load_pd(hRe + k * bins + c);
            const __m256d e = _mm256_load_pd(hIm + k * bins + c);
            rr = _mm256_fmadd_pd(a, g, rr);
            ii = _mm256_fmadd_pd(b, e, ii);
            ri = _mm256_fmadd_pd(a, e, ri);
            ir = _mm256_fmadd_pd(b, g, ir);
        }
        const __m256d re = _mm256_sub_pd(rr, ii);
        const __m256d im = _mm256_add_pd(ri, ir);
        const __m256d even = _mm256_unpacklo_pd(re, im);
        const __m256d odd = _mm256_unpackhi_pd(re, im);
        _mm256_storeu_pd(spectrum + 2 * c, _mm256_permute2f128_pd(even, odd, 0x20));
        _mm256_storeu_pd(spectrum + 2 * c + 4, _mm256_permute2f128_pd(even, odd, 0x31));
        if (c == 0)
            packedEnds(_mm256_cvtsd_f64(rr), _mm256_cvtsd_f64(ii), bins, spectrum);
    }
}
} // namespace v3
#pragma GCC pop_options

struct Kernels
{
    DirectForm directForm;
    SumLanes sumLanes;
    FinishLane finishLane;
};

Kernels pickKernels()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4"))
        return {v4::directForm, v4::sumLanes, v4::finishLane};
    if (__builtin_cpu_supports("x86-64-v3"))
        return {v3::directForm, v3::sumLanes, v3::finishLane};
    return {directFormPlain, sumLanesPlain, finishLanePlain};
}
#else
struct Kernels
{
    DirectForm directForm;
    SumLanes sumLanes;
    FinishLane finishLane;
};

Kernels pickKernels()
{
    return {directFormPlain, sumLanesPlain, finishLanePlain};
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

void sumLanes(const double* const* xRe, const double* const* xIm, const double* hRe,
              const double* hIm, int bins, int parts, int first, int lanes, double* slots)
{
    kKernels.sumLanes(xRe, xIm, hRe, hIm, bins, parts, first, lanes, slots);
}

void finishLane(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int bins, int count, const double* slot, double* spectrum)
{
    kKernels.finishLane(xRe, xIm, hRe, hIm, bins, count, slot, spectrum);
}
} // namespace ConvolutionKernels
