#pragma once

#include "SpectrumRing.h"
#include "dsp/CFftwRealTransform.h"

#include <vector>

// The networks' convolution as it was before it lost its delay, kept as the yardstick the
// benchmarks measure the engine against: uniformly partitioned (blocks of B, transforms of
// 2B), a pure delay of 2B - 1 samples, new taps taking over partition by partition.
class BlockDelayConvolver
{
public:
    // N design length (taps at N/2 and above are zero), L convolution length, B block.
    BlockDelayConvolver(int N, int L, int B);

    BlockDelayConvolver(const BlockDelayConvolver&) = delete;
    BlockDelayConvolver& operator=(const BlockDelayConvolver&) = delete;

    // L taps from the first on.
    void setTaps(const std::vector<double>& taps);

    void processSample(double x)
    {
        m_pInput[m_iPos] = x;
        m_pSegment[m_iPos] = m_pSegmentSource[m_iPos];
        if (++m_iPos == m_iBlock)
            processBlock();
    }
    double getOutput() const { return m_pOutput[m_iPos]; }

private:
    void processBlock();

    int m_iBlock;
    int m_iPartitions;
    int m_iTransformSize;
    int m_iActivePartitions;
    int m_iPos = 0;
    int m_iPhase = 0;
    int m_iSegmentOffset = 0;

    std::vector<double> m_vTaps;
    std::vector<double> m_vOutput;
    std::vector<double> m_vNextSpectrum;
    bool m_bNextSpectrumReady = false;
    std::vector<double> m_vSegmentCache;

    CFftwRealTransform m_inputTransform;
    CFftwRealTransform m_segmentTransform;
    CFftwRealTransform m_outputTransform;
    double* m_pInput;
    double* m_pSegment;
    const double* m_pSegmentSource;
    double* m_pOutput;
    SpectrumRing m_ring;
};
