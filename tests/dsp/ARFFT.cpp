#include "ARFFT.h"

#include <cstddef>

ARFFT::ARFFT(int size) : RFFT(size), m_vPacked(static_cast<std::size_t>(size / 2)) {}

void ARFFT::complexTransform(const Complex* source, int count)
{
    runComplexTransform(m_vForward.data(), source, count, -1.0);
}

void ARFFT::printBins(int firstBin, int count)
{
    printBuffer(m_vForward, 'F', firstBin, count);
}

void ARFFT::printAllBins()
{
    printBins(0, m_iSize);
}

void ARFFT::forwardReal(const double* input)
{
    const int m = m_iHalfSize;
    for (int i = 0; i < m; ++i)
        m_vPacked[static_cast<std::size_t>(i)] = Complex(input[2 * i], input[2 * i + 1]);
    complexTransform(m_vPacked.data(), m);

    Complex* buf = m_vForward.data();
    const Complex* w = m_vTwiddles.data();
    const Complex j(0.0, 1.0);
    buf[m] = buf[0];
    for (int i = 0; i <= m / 2; ++i)
    {
        const Complex a = buf[i];
        const Complex b = buf[m - i];
        buf[i] = 0.5 * (a + std::conj(b)) - 0.5 * w[i] * j * (a - std::conj(b));
        buf[m - i] = 0.5 * (b + std::conj(a)) - 0.5 * w[m - i] * j * (b - std::conj(a));
    }
    for (int i = 1; i < m; ++i)
        buf[m_iSize - i] = std::conj(buf[i]);
}
