#include "RFFT.h"

#include <cmath>
#include <cstddef>
#include <iostream>

namespace
{
constexpr double kTwoPi = 6.283185307179586;
}

RFFT::RFFT(int size)
    : m_iSize(size), m_iHalfSize(size / 2), m_iStages(0),
      m_vTwiddles(static_cast<std::size_t>(size / 2 + 1)),
      m_vInverse(static_cast<std::size_t>(size)), m_vForward(static_cast<std::size_t>(size)),
      m_dSize(size), m_dAngleStep(kTwoPi / size)
{
    for (int m = m_iHalfSize; m > 1; m /= 2)
        ++m_iStages;
    for (int k = 0; k <= m_iHalfSize; ++k)
        m_vTwiddles[static_cast<std::size_t>(k)] =
            Complex(std::cos(-m_dAngleStep * k), std::sin(-m_dAngleStep * k));
}

void RFFT::complexTransform(const Complex*, int) {}
void RFFT::printBins(int, int) {}
void RFFT::printAllBins() {}
void RFFT::forwardReal(const double*) {}
void RFFT::inverseReal(Complex*) {}

void RFFT::normalize()
{
    const double scale = 1.0 / m_dSize;
    for (auto& bin : m_vInverse)
        bin *= scale;
}

void RFFT::runComplexTransform(Complex* buffer, const Complex* source, int count, double sign)
{
    for (int i = 0; i < count; ++i)
        buffer[i] = source[i];

    m_iRadix = 2;
    m_dAngle = kTwoPi / count;
    m_iSpan = count;
    for (int stage = 1; stage <= m_iStages; ++stage)
    {
        if (stage > 1)
            m_iSpan /= 2;
        m_iHalfSpan = m_iSpan / 2;
        const double angle = kTwoPi / m_iSpan;
        m_cTwiddleStep = Complex(std::cos(angle), sign * std::sin(angle));
        m_cTwiddle = Complex(1.0, 0.0);
        for (int j = 0; j < m_iHalfSpan; ++j)
        {
            for (int i = j; i < count; i += m_iSpan)
            {
                const Complex u = buffer[i];
                const Complex v = buffer[i + m_iHalfSpan];
                buffer[i] = u + v;
                buffer[i + m_iHalfSpan] = (u - v) * m_cTwiddle;
            }
            m_cTwiddle *= m_cTwiddleStep;
        }
    }

    int r = 0;
    for (int i = 0; i < count; ++i)
    {
        if (i < r)
            std::swap(buffer[i], buffer[r]);
        int a = count / 2;
        while (a <= r && a > 0)
        {
            r -= a;
            a /= 2;
        }
        r += a;
    }
}

void RFFT::printBuffer(const std::vector<Complex>& buffer, char letter, int firstBin,
                       int count) const
{
    if (firstBin < 0 || count <= 0 || firstBin > m_iSize - count)
        return;
    for (int i = firstBin; i < firstBin + count; ++i)
        std::cout << letter << "[" << i << "] = " << buffer[static_cast<std::size_t>(i)]
                  << std::endl;
}
