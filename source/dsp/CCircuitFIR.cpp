#include "dsp/CCircuitFIR.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ZARG_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ZARG_CLONES
#endif

namespace
{
constexpr double kTwoPi = 6.283185307179586;
constexpr double kResponseScale = 4e-4;

// Blocks of taps that can be non-zero: the design leaves everything from N/2 on at zero.
int activePartitions(int N, int L, int B, int d)
{
    const int nonZero = N / 2 - d;
    return std::clamp((nonZero + B - 1) / B, 1, L / B);
}

// bins[k] = 4e-4 * H(j * k * dw) for k = 1 .. half - 1, with (jw)^2 and (jw)^3 exact.
ZARG_CLONES void sampleGrid(const CCircuitFIR::Coefficients& c, double dw, int half,
                            double* __restrict bins)
{
    for (int k = 1; k < half; ++k)
    {
        const double w = dw * k;
        const double w2 = w * w;
        const double w3 = w2 * w;
        const double nr = c.b0 - c.b2 * w2;
        const double ni = c.b1 * w - c.b3 * w3;
        const double dr = c.a0 - c.a2 * w2;
        const double di = c.a1 * w - c.a3 * w3;
        const double scale = kResponseScale / (dr * dr + di * di);
        bins[2 * k] = (nr * dr + ni * di) * scale;
        bins[2 * k + 1] = (ni * dr - nr * di) * scale;
    }
}
} // namespace

CCircuitFIR::CCircuitFIR(const Config& config)
    : m_iDesignLength(config.designLength), m_iTapOffset(config.tapOffset),
      m_iTapCount(config.convolutionLength),
      m_vTaps(static_cast<std::size_t>(config.designLength), 0.0),
      m_vRaw(static_cast<std::size_t>(config.designLength), 0.0),
      m_vEnvelope(static_cast<std::size_t>(config.designLength), 0.0),
      m_designTransform(config.designLength, CFftwRealTransform::Direction::Inverse),
      m_convolver(config.blockSize,
                  activePartitions(config.designLength, config.convolutionLength, config.blockSize,
                                   config.tapOffset),
                  config.convolutionLength)
{
}

void CCircuitFIR::design(const Coefficients& c, double scale, int fs)
{
    ++m_uDesignCount;
    sampleResponse(c, m_iDesignLength, fs);
    buildImpulse(m_iDesignLength, scale);
    updateTaps();
}

void CCircuitFIR::sampleResponse(const Coefficients& c, int N, int fs)
{
    const int half = N / 2;
    const double dw = ((fs * 0.5) / (N * 0.5)) * kTwoPi;
    double* bins = m_designTransform.bins();
    sampleGrid(c, dw, half, bins);

    // Bin 0 keeps Re H(0); bin N/2 keeps the imaginary part of H at half the sample
    // rate, which is what the impulse design folds into its DC/Nyquist pair.
    bins[0] = kResponseScale * (c.b0 / c.a0);
    bins[1] = 0.0;
    const double w = dw * half;
    const double w2 = w * w;
    const double nr = c.b0 - c.b2 * w2;
    const double ni = c.b1 * w - c.b3 * w * w2;
    const double dr = c.a0 - c.a2 * w2;
    const double di = c.a1 * w - c.a3 * w * w2;
    bins[2 * half] = kResponseScale * ((ni * dr - nr * di) / (dr * dr + di * di));
    bins[2 * half + 1] = 0.0;
}

void CCircuitFIR::buildImpulse(int N, double scale)
{
    const int half = N / 2;
    double* bins = m_designTransform.bins();
    // The design's real inverse transform receives the pair (DC, Nyquist) packed into both
    // bin 0 and bin N/2; its split step turns that pair into D - Q at DC and at Nyquist
    // alike. The plain inverse below is handed exactly that.
    const double folded = bins[0] - bins[2 * half];
    bins[0] = folded;
    bins[1] = 0.0;
    bins[2 * half] = folded;
    bins[2 * half + 1] = 0.0;
    m_designTransform.execute();

    const double* out = m_designTransform.time();
    for (int n = 0; n < half; ++n)
        m_vRaw[static_cast<std::size_t>(n)] = scale * out[n];
    std::fill(m_vRaw.begin() + half, m_vRaw.end(), 0.0);
}

void CCircuitFIR::updateTaps()
{
    const int end = m_iTapOffset + m_iTapCount;
    for (int i = m_iTapOffset; i < end; ++i)
    {
        const auto u = static_cast<std::size_t>(i);
        m_vTaps[u] = m_vEnvelope[u] * m_dGain * m_vRaw[u];
    }
    m_convolver.setResponse(m_vTaps.data() + m_iTapOffset);
}

void CCircuitFIR::setDecay(double decay, int fs)
{
    const int end = m_iTapOffset + m_iTapCount;
    for (int i = m_iTapOffset; i < end; ++i)
        m_vEnvelope[static_cast<std::size_t>(i)] = std::exp(-(i * decay) / fs);
    updateTaps();
}

void CCircuitFIR::setGain(double gain)
{
    m_dGain = gain;
    updateTaps();
}
