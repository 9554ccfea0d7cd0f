#pragma once

// The two inner loops of the partitioned convolution, picked once for the processor the
// plug-in runs on (AVX-512, AVX2 with FMA, or plain code).
//
// Every path rounds alike: each product-sum is a fused multiply-add and the order of the
// additions is fixed per output value, never by how many values a call computes. So a
// signal cut into stretches of any length gives the same bits as one long stretch.
namespace ConvolutionKernels
{
// out[i] = tail[i] + sum over m < taps of h[m] * x[i - m], for i in [0, count).
// x[i - m] must be readable for every such i and m. The sum is formed as four partial
// sums over m = r (mod 4), added as ((s0 + s1) + (s2 + s3)).
void addDirectForm(const double* h, int taps, const double* x, const double* tail, double* out,
                   int count);

// With X_k and H_k given as split rows of `stride` bins (stride a multiple of 8):
// spectrum[2b], spectrum[2b + 1] = re, im of sum over k < parts of X_k[b] * H_k[b], for the
// first `bins` bins. H_k starts at hRe/hIm + k * stride; X_k at xRe[k], xIm[k].
void multiplyAccumulate(const double* const* xRe, const double* const* xIm, const double* hRe,
                        const double* hIm, int stride, int parts, int bins, double* spectrum);
} // namespace ConvolutionKernels
