#pragma once

#include "RFFT.h"

// Unnormalised inverse real FFT: a half spectrum X[0..N/2] (used as scratch) to N real
// samples, left in the real parts of the inverse work buffer.
class BRFFT : public RFFT
{
public:
    explicit BRFFT(int size);

    void complexTransform(const Complex* source, int count) override;
    void printBins(int firstBin, int count) override;
    void printAllBins() override;
    void inverseReal(Complex* halfSpectrum) override;
};
