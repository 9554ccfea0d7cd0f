#pragma once

#include <vector>

// The spectra a partitioned convolution multiplies: one spectrum per tap partition and
// the spectra of the most recent input blocks, kept split into real and imaginary rows
// so the multiply-accumulate runs on contiguous arrays. Bins 0 (DC) and B (Nyquist) are
// real; their imaginary parts are held at exactly zero so the complex product of those
// bins reduces to the product of the real values.
class CSpectrumRing
{
public:
    // ringSize = L taps, stride = B bins per block; only the first `partitions`
    // partitions are stored (the rest of a response is known to be zero).
    CSpectrumRing(int ringSize, int stride, int partitions);

    // Replaces the spectrum of tap partition k; `bins` holds B + 1 interleaved complex values.
    void setPartition(int k, const double* bins);
    // Makes `bins` the newest input-block spectrum; the oldest one drops out.
    void pushInput(const double* bins);
    // out[bin] = sum over k of input spectrum (newest - k) times partition k, for bins
    // 0..B, interleaved. Exact zeros in the imaginary parts of bins 0 and B.
    void accumulate(double* out) const;

private:
    int m_iBins;
    // B + 1 bins rounded up to an even count; wider padding measured slower (cache sets).
    int m_iRowStride;
    int m_iPartitions;
    int m_iSlots;
    int m_iNewest = 0;
    std::vector<double> m_vTapRe, m_vTapIm;
    std::vector<double> m_vInputRe, m_vInputIm;
};
