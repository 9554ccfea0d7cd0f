#pragma once

#include "RFFT.h"

// Forward real FFT: N real samples to the full spectrum of N bins in the forward work buffer.
class ARFFT : public RFFT
{
public:
    explicit ARFFT(int size);

    void complexTransform(const Complex* source, int count) override;
    void printBins(int firstBin, int count) override;
    void printAllBins() override;
    void forwardReal(const double* input) override;

private:
    std::vector<Complex> m_vPacked;
};
