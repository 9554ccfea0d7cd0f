#pragma once

// The two inner loops of the partitioned convolution, picked once for the processor the
// plug-in runs on (AVX-512, AVX2 with FMA, or plain code).
//
// Every path rounds alike: each product-sum is a fused multiply-add and the order of the
// additions is fixed per output value, never by how many values a call computes. So a
// signal cut into stretches of any length gives the same bits as one long stretch.
namespace ConvolutionKernels
{
// For the block positions n in [pos, pos + count):
// out[n - pos] = tail[n] + sum over m < taps of h[m] * x[n - m].
// x[n - m] must be readable for n - m >= -taps, and x[j] finite for j < pos + count + 8.
// The sum is formed as four partial sums, s_q over the m with m - n = q (mod 4), added as
// ((s0 + s1) + (s2 + s3)). taps is a multiple of 4; `table` is h's direct-form table.
void addDirectForm(const double* table, const double* h, int taps, const double* x,
                   const double* tail, double* out, int pos, int count);

// Row k + 7 of the table (k = -7 .. taps - 1, eight values, 64-byte aligned) holds
// h[k], h[k + 1], ..., h[k + 7], zero outside 0 .. taps - 1.
int directFormTableSize(int taps);
void fillDirectFormTable(const double* h, int taps, double* table);

// With X_k and H_k given as split rows of `stride` bins (stride a multiple of 8):
// spectrum[2b], spectrum[2b + 1] = re, im of sum over k < parts of X_k[b] * H_k[b], for the
// first `bins` bins. H_k starts at hRe/hIm + k * stride; X_k at xRe[k], xIm[k].
void multiplyAccumulate(const double* const* xRe, const double* const* xIm, const double* hRe,
                        const double* hIm, int stride, int parts, int bins, double* spectrum);
} // namespace ConvolutionKernels
