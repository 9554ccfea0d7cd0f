#include "LiteralCircuitFIR.h"

#include <cmath>
#include <initializer_list>

namespace
{
constexpr double kTwoPi = 6.283185307179586;
std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}
} // namespace

LiteralCircuitFIR::LiteralCircuitFIR(int N, int L, int B, int d)
    : m_N(N), m_L(L), m_B(B), m_d(d), m_P(L / B), m_F(2 * B), m_segmentOffset(d), m_taps(at(N)),
      m_raw(at(N)), m_envelope(at(N)), m_designSpectrum(at(N)), m_segment(at(2 * B)),
      m_input(at(2 * B)), m_output(at(2 * B)), m_tail(at(B)), m_outputSpectrum(at(2 * B)),
      m_segmentSpectrum(at(2 * B)), m_inputSpectrum(at(2 * B)), m_segmentTransform(2 * B),
      m_inputTransform(2 * B), m_outputTransform(2 * B),
      m_designTransform(N), m_ring{L, B, std::vector<Complex>(at(L)), std::vector<Complex>(at(L)),
                                   Complex()}
{
}

void LiteralCircuitFIR::Ring::pushAndAccumulate(int a, Complex xBin, Complex hBin)
{
    const int slot = a & (size - 1);
    x[at(slot)] = xBin;
    h[at(slot)] = hBin;
    accumulator = Complex();
    const int b = a & (stride - 1);
    for (int k = 0; k < size / stride; ++k)
    {
        const Complex xv = x[at((size + a - k * stride) & (size - 1))];
        const Complex hv = h[at((stride + b + k * stride) & (size - 1))];
        if (b != 0)
            accumulator += xv * hv;
        else
            accumulator += Complex(xv.real() * hv.real(), xv.imag() * hv.imag());
    }
}

void LiteralCircuitFIR::sampleResponse(int k, const CCircuitFIR::Coefficients& c, int N, int fs)
{
    auto evaluate = [&](int bin)
    {
        const double w = ((fs * 0.5) / (N * 0.5)) * kTwoPi * bin;
        const Complex s(0.0, w);
        Complex s2, s3;
        if (w != 0.0)
        {
            s2 = std::exp(2.0 * std::log(s));
            s3 = std::exp(3.0 * std::log(s));
        }
        const Complex num = c.b3 * s3 + c.b2 * s2 + c.b1 * s + c.b0;
        const Complex den = c.a3 * s3 + c.a2 * s2 + c.a1 * s + c.a0;
        return num / den;
    };
    const Complex h = evaluate(k);
    if (k >= 1)
    {
        m_designSpectrum[at(k)] = 4e-4 * h;
        m_designSpectrum[at(N - k)] = std::conj(4e-4 * h);
    }
    else
    {
        m_designSpectrum[0] = Complex(4e-4 * h.real(), 0.0);
        m_designSpectrum[at(N / 2)] = Complex(4e-4 * evaluate(N / 2).imag(), 0.0);
    }
}

void LiteralCircuitFIR::buildImpulse(int N, double scale)
{
    m_designSpectrum[0] = Complex(m_designSpectrum[0].real(), m_designSpectrum[at(N / 2)].real());
    m_designSpectrum[at(N / 2)] = m_designSpectrum[0];
    m_designTransform.inverseReal(m_designSpectrum.data());
    const Complex* out = m_designTransform.getInverseBuffer();
    for (int n = 0; n < N / 2; ++n)
        m_raw[at(n)] = scale * out[n].real();
    for (int n = N / 2 + 1; n < N; ++n)
        m_raw[at(n)] = 0.0;
}

void LiteralCircuitFIR::design(const CCircuitFIR::Coefficients& c, double scale, int fs)
{
    for (int k = 0; static_cast<double>(k) < m_N / 2.0; ++k)
        sampleResponse(k, c, m_N, fs);
    buildImpulse(m_N, scale);
    updateTaps();
}

void LiteralCircuitFIR::updateTaps()
{
    for (int i = m_d; i < m_d + m_B * m_P; ++i)
        m_taps[at(i)] = m_envelope[at(i)] * m_gain * m_raw[at(i)];
}

void LiteralCircuitFIR::setDecay(double decay, int fs)
{
    for (int i = m_d; i < m_d + m_B * m_P; ++i)
        m_envelope[at(i)] = std::exp(-(i * decay) / fs);
    updateTaps();
}

void LiteralCircuitFIR::setGain(double gain)
{
    m_gain = gain;
    updateTaps();
}

void LiteralCircuitFIR::processSample(double x)
{
    const int B = m_B;
    const int F = m_F;
    m_input[at(m_pos)] = x;
    m_segment[at(m_pos)] = m_taps[at(m_segmentOffset + m_pos)];
    m_segment[at(B + m_pos)] = 0.0;
    if (m_pos == 0)
    {
        for (auto* spectrum : {&m_segmentSpectrum, &m_inputSpectrum})
            (*spectrum)[0] = Complex((*spectrum)[0].real(), (*spectrum)[at(F / 2)].real());
    }
    const Complex hBin = m_segmentSpectrum[at(m_pos)];
    const Complex xBin = m_inputSpectrum[at(m_pos)];
    m_ring.pushAndAccumulate(m_pos - m_d + m_segmentOffset, xBin, hBin);
    const Complex s = m_ring.accumulator;
    if (m_pos == 0)
    {
        m_outputSpectrum[0] = Complex(s.real(), 0.0);
        m_outputSpectrum[at(F / 2)] = Complex(s.imag(), 0.0);
    }
    else
    {
        m_outputSpectrum[at(m_pos)] = s;
        m_outputSpectrum[at(F - m_pos)] = std::conj(s);
    }

    if (++m_pos < B)
        return;

    m_segmentTransform.forwardReal(m_segment.data());
    m_inputTransform.forwardReal(m_input.data());
    for (int i = 0; i < F; ++i)
    {
        m_segmentSpectrum[at(i)] = m_segmentTransform.getForwardBuffer()[i];
        m_inputSpectrum[at(i)] = m_inputTransform.getForwardBuffer()[i];
    }
    for (int i = 0; i < B; ++i)
        m_tail[at(i)] = m_output[at(B + i)];
    m_outputTransform.inverseReal(m_outputSpectrum.data());
    const Complex* result = m_outputTransform.getInverseBuffer();
    for (int i = 0; i < F; ++i)
        m_output[at(i)] = (result[i] / static_cast<double>(F)).real();
    for (auto& bin : m_outputSpectrum)
        bin = Complex();
    for (int i = 0; i < B; ++i)
        m_output[at(i)] += m_tail[at(i)];
    m_pos = 0;
    for (auto& v : m_input)
        v = 0.0;
    for (auto& v : m_tail)
        v = 0.0;
    m_segmentOffset += B;
    if (m_segmentOffset >= m_d + B * m_P)
        m_segmentOffset = m_d;
}
