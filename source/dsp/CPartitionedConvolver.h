#pragma once

#include "dsp/CFftwRealTransform.h"

#include <vector>

// Convolution with a response of `parts` blocks of B taps that adds no delay: the first
// block of taps runs in direct form, sample by sample; the others run as a uniformly
// partitioned overlap-save convolution (transforms of 2B) whose output for a block is
// computed when the block before it is complete, which is early enough because those taps
// start B samples late.
//
// A new response is blended in: for `fade` samples the output crossfades from the old
// response's output to the new one's, both computed on the same input. A response set
// during a fade first freezes the mix of that moment into the old side. When the input of
// the last response length was silent, a new response simply takes over.
//
// The spectral sums of kAhead blocks are started in one pass over the response spectra (all
// but the products with input not yet heard) and finished block by block, so the response
// is read once per kAhead blocks.
//
// Blocks are counted from construction, and no result depends on how the input is cut
// into calls of process(), so any split gives the same bits. B is a multiple of 8.
class CPartitionedConvolver
{
public:
    CPartitionedConvolver(int block, int parts, int fade);

    CPartitionedConvolver(const CPartitionedConvolver&) = delete;
    CPartitionedConvolver& operator=(const CPartitionedConvolver&) = delete;

    // taps: parts * block values, taking effect at the next sample processed; of several
    // set before it, the last counts. Does nothing when they equal the response in place
    // (or being faded to).
    void setResponse(const double* taps);
    // in and out may be the same array.
    void process(const double* in, double* out, int count);

private:
    static constexpr int kAhead = 4;

    // One response: the direct-form taps and the spectra of the later blocks, scaled by
    // the inverse transform's 1/2B, in split rows (see ConvolutionKernels).
    struct Response
    {
        std::vector<double> taps;
        // The first block's taps laid out for the direct form (64-byte aligned, as are re
        // and im).
        double* table = nullptr;
        double* re = nullptr;
        double* im = nullptr;
        // The started sums of this group of kAhead blocks.
        double* slots = nullptr;
        std::vector<double> storage;
        // Output of the partitioned part for the current block.
        std::vector<double> tail;
    };

    void applyResponse();
    void transformResponse(Response& r);
    void computeTail(Response& r);
    void startSums(Response& r, int first);
    void finishBlock();
    void freezeFade();
    int runSegment(const double* in, double* out, int count);

    int m_iBlock;
    int m_iParts;
    int m_iStride;
    int m_iPos = 0;
    int m_iNewest = 0;
    // The current block's place in its group of kAhead.
    int m_iPhase = 0;
    // Trailing zero input samples, saturating at the span that decides the output.
    int m_iQuiet;
    int m_iFadePos = 0;
    bool m_bFading = false;

    Response m_responses[2];
    Response* m_pCurrent;
    Response* m_pNext;
    // The input spectra of the last parts - 1 blocks, a ring of split rows.
    std::vector<double> m_vInputStorage;
    double* m_pInputRe;
    double* m_pInputIm;
    std::vector<const double*> m_vRowsRe, m_vRowsIm;
    // Weight of the new response along a fade, 0 .. 1.
    std::vector<double> m_vFade;
    std::vector<double> m_vScratch;
    // Taps set since the last sample, transformed once when the next sample comes.
    std::vector<double> m_vPending;
    bool m_bPending = false;

    // The time buffer holds the previous and the current input block (the direct form
    // reads it, the block's forward transform takes it as it is).
    CFftwRealTransform m_inputTransform;
    CFftwRealTransform m_responseTransform;
    CFftwRealTransform m_outputTransform;
};
