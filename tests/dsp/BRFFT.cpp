#include "BRFFT.h"

BRFFT::BRFFT(int size) : RFFT(size) {}

void BRFFT::complexTransform(const Complex* source, int count)
{
    runComplexTransform(m_vInverse.data(), source, count, 1.0);
}

void BRFFT::printBins(int firstBin, int count)
{
    printBuffer(m_vInverse, 'f', firstBin, count);
}

void BRFFT::printAllBins()
{
    printBins(0, m_iSize);
}

void BRFFT::inverseReal(Complex* x)
{
    const int m = m_iHalfSize;
    const Complex* w = m_vTwiddles.data();
    const Complex j(0.0, 1.0);
    for (int i = 0; i <= m / 2; ++i)
    {
        const Complex a = x[i];
        const Complex b = x[m - i];
        x[i] = 0.5 * (a + std::conj(b) + std::conj(w[i]) * j * (a - std::conj(b)));
        x[m - i] = 0.5 * (b + std::conj(a) + std::conj(w[m - i]) * j * (b - std::conj(a)));
    }
    complexTransform(x, m);

    Complex* buf = m_vInverse.data();
    for (int i = m - 1; i >= 0; --i)
    {
        const Complex z = buf[i];
        buf[2 * i + 1] = Complex(2.0 * z.imag(), 0.0);
        buf[2 * i] = Complex(2.0 * z.real(), 0.0);
    }
}
