#pragma once

#include <complex>
#include <vector>

// Radix-2 FFT for real signals of power-of-two length N, computed through one
// complex transform of size N/2 and a split/merge step. The base class only
// holds the shared state; ARFFT (forward) and BRFFT (inverse) do the work.
class RFFT
{
public:
    using Complex = std::complex<double>;

    explicit RFFT(int size);
    virtual ~RFFT() = default;

    RFFT(const RFFT&) = delete;
    RFFT& operator=(const RFFT&) = delete;

    virtual void complexTransform(const Complex* source, int count);
    virtual void printBins(int firstBin, int count);
    virtual void printAllBins();
    virtual void forwardReal(const double* input);
    virtual void inverseReal(Complex* halfSpectrum);

    // Scales the inverse work buffer by 1/N, turning BRFFT's result into the exact inverse.
    void normalize();

    int getSize() const { return m_iSize; }
    const Complex* getForwardBuffer() const { return m_vForward.data(); }
    const Complex* getInverseBuffer() const { return m_vInverse.data(); }

protected:
    // Decimation-in-frequency butterflies with recurrence twiddles, then bit reversal.
    // sign -1 gives the forward direction, +1 the inverse one.
    void runComplexTransform(Complex* buffer, const Complex* source, int count, double sign);
    void printBuffer(const std::vector<Complex>& buffer, char letter, int firstBin,
                     int count) const;

    int m_iSize;
    int m_iHalfSize;
    int m_iStages;
    int m_iRadix = 2;
    int m_iSpan = 0;
    int m_iHalfSpan = 0;
    double m_dAngle = 0.0;
    Complex m_cTwiddleStep{1.0, 0.0};
    Complex m_cTwiddle{1.0, 0.0};
    std::vector<Complex> m_vTwiddles;
    std::vector<Complex> m_vInverse;
    std::vector<Complex> m_vForward;
    double m_dSize;
    double m_dAngleStep;
};
