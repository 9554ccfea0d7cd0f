#include "dsp/CGainNetworkFIR.h"
#include "dsp/CInputNetworkFIR.h"
#include "dsp/CInterstageNetworkFIR.h"
#include "dsp/CNoiseGate.h"
#include "dsp/CQuorzel.h"
#include "dsp/CToneStackFIR.h"
#include "dsp/CTransferCurve.h"
#include "dsp/CVolumeNetworkFIR.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void* allocate(std::size_t size)
{
    if (g_counting.load())
        ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace
{
TEST(Allocation, NothingAllocatesAfterConstruction)
{
    const int fs = 48000;
    CInputNetworkFIR input(CQuorzel::kFilterConfig, fs);
    CGainNetworkFIR gain(CQuorzel::kFilterConfig, fs);
    CInterstageNetworkFIR interstage(CQuorzel::kFilterConfig, fs);
    CToneStackFIR tone(CQuorzel::kFilterConfig, fs);
    CVolumeNetworkFIR volume(CQuorzel::kFilterConfig, fs);
    CTransferCurve curve;
    CNoiseGate gate;
    gate.setParameters(350.0, 25.0, fs, -50.0);

    // The counter itself must see the replacement operator new.
    g_counting = true;
    delete new int(1);
    g_counting = false;
    ASSERT_EQ(g_allocations.load(), 1);
    g_allocations = 0;

    g_counting = true;
    double x = 0.25;
    double sum = 0.0;
    for (int n = 0; n < 20000; ++n)
    {
        if (n == 5000)
        {
            input.designModel(3, 1, 96000);
            gain.designModel(7, 0, 1, 0.3, 96000);
            interstage.designModel(2, 0, 96000);
            tone.designModel(18, 1, 0.2, 3.0, 96000);
            volume.designModel(16, 0, 1.5, 96000);
            for (CCircuitFIR* f :
                 {static_cast<CCircuitFIR*>(&input), static_cast<CCircuitFIR*>(&gain),
                  static_cast<CCircuitFIR*>(&interstage), static_cast<CCircuitFIR*>(&tone),
                  static_cast<CCircuitFIR*>(&volume)})
            {
                f->setDecay(0.0, 96000);
                f->setGain(1.0);
            }
            curve.selectTable(1);
            gate.setParameters(100.0, 10.0, 96000, -40.0);
        }
        x = -x * 0.999 + (n % 97 == 0 ? 0.5 : 0.0);
        gate.processSample(x);
        input.processSample(gate.getOutput());
        curve.processSample(input.getOutput());
        gain.processSample(curve.getOutput());
        interstage.processSample(gain.getOutput());
        tone.processSample(interstage.getOutput());
        volume.processSample(tone.getOutput());
        sum += volume.getOutput();
    }
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
    EXPECT_NE(sum, 0.0);
}
} // namespace
