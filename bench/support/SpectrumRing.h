#pragma once

#include <vector>

// The spectra a partitioned convolution multiplies: one spectrum per tap partition and
// the spectra of the most recent input blocks, kept split into real and imaginary rows
// so the multiply-accumulate runs on contiguous arrays. Bins 0 (DC) and B (Nyquist) are
// real; their imaginary parts are held at exactly zero so the complex product of those
// bins reduces to the product of the real values.
//
// The output spectra of two consecutive blocks are computed in one pass: the second one
// is already fixed when the first is due (it needs only the input block just finished and
// the partition spectrum refreshed with it), and sharing the partition rows between the
// two halves the memory traffic of the multiply-accumulate.
class SpectrumRing
{
public:
    // ringSize = L taps, stride = B bins per block; only the first `partitions`
    // partitions are stored (the rest of a response is known to be zero).
    SpectrumRing(int ringSize, int stride, int partitions);

    // Makes `bins` (B + 1 interleaved complex values) the newest input-block spectrum.
    void pushInput(const double* bins);
    // Holds a new spectrum for tap partition k; it takes part in the second spectrum of
    // the next accumulatePair and replaces the partition at commitPartition.
    void stagePartition(int k, const double* bins);
    void commitPartition();
    // With n the newest input block: first[bin] = sum over k of input (n - 1 - k) times
    // partition k, second[bin] = sum over k of input (n - k) times partition k with the
    // staged spectrum in place. Bins 0..B, interleaved; exact zeros in the imaginary parts
    // of bins 0 and B.
    void accumulatePair(double* first, double* second) const;

private:
    int m_iBins;
    // B + 1 bins rounded up to an even count; wider padding measured slower (cache sets).
    int m_iRowStride;
    int m_iPartitions;
    int m_iSlots;
    int m_iNewest = 0;
    int m_iStaged = -1;
    std::vector<double> m_vTapRe, m_vTapIm;
    std::vector<double> m_vInputRe, m_vInputIm;
    std::vector<double> m_vStagedRe, m_vStagedIm;
};
