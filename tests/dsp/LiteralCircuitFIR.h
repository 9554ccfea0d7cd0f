#pragma once

#include "ARFFT.h"
#include "BRFFT.h"
#include "dsp/CCircuitFIR.h"

#include <complex>
#include <vector>

// The circuit filter engine transcribed step by step, slow on purpose: complex powers in
// the response sampling, the program's own FFT classes for the design and for every block,
// the per-sample spectral ring with all partitions. The optimised CCircuitFIR is compared
// against it.
class LiteralCircuitFIR
{
public:
    using Complex = std::complex<double>;

    LiteralCircuitFIR(int N, int L, int B, int d);

    void design(const CCircuitFIR::Coefficients& c, double scale, int fs);
    void updateTaps();
    void setDecay(double decay, int fs);
    void setGain(double gain);
    // Finished taps as they stand (N values), in place of a design.
    void setTaps(const std::vector<double>& taps) { m_taps = taps; }
    void processSample(double x);
    double getOutput() const { return m_output[static_cast<std::size_t>(m_pos)]; }
    const std::vector<double>& getTaps() const { return m_taps; }

private:
    struct Ring
    {
        int size, stride;
        std::vector<Complex> h, x;
        Complex accumulator;
        void pushAndAccumulate(int a, Complex xBin, Complex hBin);
    };

    void sampleResponse(int k, const CCircuitFIR::Coefficients& c, int N, int fs);
    void buildImpulse(int N, double scale);

    int m_N, m_L, m_B, m_d, m_P, m_F;
    int m_pos = 0;
    int m_segmentOffset;
    double m_gain = 1.0;
    std::vector<double> m_taps, m_raw, m_envelope;
    std::vector<Complex> m_designSpectrum;
    std::vector<double> m_segment, m_input, m_output, m_tail;
    std::vector<Complex> m_outputSpectrum, m_segmentSpectrum, m_inputSpectrum;
    ARFFT m_segmentTransform, m_inputTransform;
    BRFFT m_outputTransform, m_designTransform;
    Ring m_ring;
};
