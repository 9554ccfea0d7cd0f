#pragma once

// The two inner loops of the partitioned convolution, picked once for the processor the
// plug-in runs on (AVX-512, AVX2 with FMA, or plain code).
//
// Every path rounds alike: each product-sum is a fused multiply-add and the order of the
// additions is fixed per output value, never by how many values a call computes. So a
// signal cut into stretches of any length gives the same bits as one long stretch.
namespace ConvolutionKernels
{
enum class Path
{
    Plain,
    Avx2,
    Avx512
};
bool supported(Path path);
// The fastest supported path; every call runs on it unless usePath chose another.
Path bestPath();
// For tests that run each path: later calls run on `path` when it is supported.
void usePath(Path path);

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

// Spectra of 2 * bins real samples are kept as split rows of `bins` values (bins a multiple
// of 8): re[b], im[b] for 0 < b < bins, and the two real bins packed as re[0] = DC,
// im[0] = Nyquist. X_q is the q-th newest input row (xRe[q], xIm[q]), H_k the k-th response
// row (from hRe/hIm + k * bins).
//
// Sums of products are kept as four rows (re re, im im, re im, im re) until the end, so a
// sum may be taken in parts: a pass over the response fills `lanes` slots of 4 * bins
// values, slot d with the sum over k from first + d to parts - 1 of X_(k - d) * H_k, in
// rising k. The response rows are read once for all slots; lanes <= 4.
void sumLanes(const double* const* xRe, const double* const* xIm, const double* hRe,
              const double* hIm, int bins, int parts, int first, int lanes, double* slots);

// Adds X_k * H_k for k < count (rising) to one slot and writes the sum as a spectrum of
// bins + 1 interleaved complex values.
void finishLane(const double* const* xRe, const double* const* xIm, const double* hRe,
                const double* hIm, int bins, int count, const double* slot, double* spectrum);
} // namespace ConvolutionKernels
