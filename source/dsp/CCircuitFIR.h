#pragma once

#include "dsp/CFftwRealTransform.h"
#include "dsp/CPartitionedConvolver.h"

#include <cstddef>
#include <vector>

// A linear circuit section run as a long FIR filter. The taps come from the section's
// analog transfer function H(s) = N(s)/D(s) (at most third order), sampled on a uniform
// grid and inverse transformed. The convolution adds no delay (CPartitionedConvolver, in
// blocks of B); a change of the taps is crossfaded in over L samples.
//
// The taps at indices N/2 and above are zero by construction, so the convolution covers
// only the blocks below N/2.
class CCircuitFIR
{
public:
    struct Coefficients
    {
        double b3 = 0.0, b2 = 0.0, b1 = 0.0, b0 = 0.0;
        double a3 = 0.0, a2 = 0.0, a1 = 0.0, a0 = 0.0;
    };

    // The filter's sizes; the networks built on this engine take the rate of their first
    // design beside them. designLength (N), 2 * blockSize (2B) and convolutionLength (L) are
    // powers of two, B divides L, tapOffset (d, the first tap used) + L <= N.
    struct Config
    {
        int designLength;
        int convolutionLength;
        int blockSize;
        int tapOffset;
    };

    explicit CCircuitFIR(const Config& config);

    CCircuitFIR(const CCircuitFIR&) = delete;
    CCircuitFIR& operator=(const CCircuitFIR&) = delete;

    void updateTaps();
    // envelope[i] = exp(-(i * decay) / fs); 0 gives all ones. Taps stay zero until this runs.
    void setDecay(double decay, int fs);
    void setGain(double gain);

    void processSample(double x) { process(&x, &m_dOutput, 1); }
    double getOutput() const { return m_dOutput; }
    // count samples at once, in and out possibly the same array: the same bits as sample
    // by sample.
    void process(const double* in, double* out, int count)
    {
        if (count <= 0)
            return;
        m_convolver.process(in, out, count);
        m_dOutput = out[count - 1];
    }

    const std::vector<double>& getTaps() const { return m_vTaps; }
    // How many designs ran (a model in range); lets the owner's tests see redesigns.
    unsigned getDesignCount() const { return m_uDesignCount; }

protected:
    // Not virtual: owners hold the concrete network classes, never delete through this base.
    ~CCircuitFIR() = default;

    // Samples H on the design grid, builds the impulse and refreshes the taps.
    void design(const Coefficients& c, double scale, int fs);
    void sampleResponse(const Coefficients& c, int N, int fs);
    void buildImpulse(int N, double scale);

private:
    int m_iDesignLength;
    int m_iTapOffset;
    int m_iTapCount;
    double m_dGain = 1.0;
    double m_dOutput = 0.0;
    unsigned m_uDesignCount = 0;

    std::vector<double> m_vTaps;
    std::vector<double> m_vRaw;
    std::vector<double> m_vEnvelope;

    CFftwRealTransform m_designTransform;
    CPartitionedConvolver m_convolver;
};
