#pragma once

#include "dsp/CFftwRealTransform.h"
#include "dsp/CSpectrumRing.h"

#include <cstddef>
#include <vector>

// A linear circuit section run as a long FIR filter. The taps come from the section's
// analog transfer function H(s) = N(s)/D(s) (at most third order), sampled on a uniform
// grid and inverse transformed; the convolution is uniformly partitioned (blocks of B,
// transforms of 2B) and adds a pure delay of 2B - 1 samples. When the taps change, each
// partition's spectrum is replaced only when its turn in the rotation comes, so a new
// response fades in partition by partition over L samples.
//
// The taps at indices N/2 and above are zero by construction, so their partitions are
// neither transformed nor multiplied; a partition's spectrum is only recomputed when the
// taps gathered for it differ from the ones it was computed from.
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

    void processSample(double x)
    {
        m_pInput[m_iPos] = x;
        // Gathered at every sample, so a design in the middle of a block shows in this
        // block's partition from that sample on.
        m_pSegment[m_iPos] = m_pSegmentSource[m_iPos];
        if (++m_iPos == m_iBlock)
            processBlock();
    }
    double getOutput() const { return m_pOutput[m_iPos]; }

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
    void processBlock();

    int m_iDesignLength;
    int m_iBlock;
    int m_iTapOffset;
    int m_iPartitions;
    int m_iTransformSize;
    int m_iActivePartitions;
    int m_iPos = 0;
    int m_iPhase = 0;
    int m_iSegmentOffset;
    double m_dGain = 1.0;
    unsigned m_uDesignCount = 0;

    std::vector<double> m_vTaps;
    std::vector<double> m_vRaw;
    std::vector<double> m_vEnvelope;
    std::vector<double> m_vOutput;
    // The output spectrum of the next block, when the last block computed it.
    std::vector<double> m_vNextSpectrum;
    bool m_bNextSpectrumReady = false;
    std::vector<double> m_vSegmentCache;

    CFftwRealTransform m_designTransform;
    CFftwRealTransform m_inputTransform;
    CFftwRealTransform m_segmentTransform;
    CFftwRealTransform m_outputTransform;
    double* m_pInput;
    double* m_pSegment;
    const double* m_pSegmentSource;
    double* m_pOutput;
    CSpectrumRing m_ring;
};
