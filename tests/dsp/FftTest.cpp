#include "ARFFT.h"
#include "BRFFT.h"
#include "DspTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace
{
using Complex = std::complex<double>;

Complex dft(const std::vector<double>& x, int k, double sign)
{
    Complex sum;
    const auto n = static_cast<double>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        sum += x[i] * std::polar(1.0, sign * 2.0 * M_PI * k * static_cast<double>(i) / n);
    return sum;
}

class FftSizes : public ::testing::TestWithParam<int>
{
};

TEST_P(FftSizes, ForwardOfImpulseAndConstant)
{
    const int n = GetParam();
    ARFFT fft(n);
    std::vector<double> x(static_cast<std::size_t>(n), 0.0);
    x[0] = 1.0;
    fft.forwardReal(x.data());
    for (int k = 0; k < n; ++k)
    {
        EXPECT_NEAR(fft.getForwardBuffer()[k].real(), 1.0, 1e-12) << k;
        EXPECT_NEAR(fft.getForwardBuffer()[k].imag(), 0.0, 1e-12) << k;
    }

    x.assign(x.size(), 1.0);
    fft.forwardReal(x.data());
    EXPECT_NEAR(fft.getForwardBuffer()[0].real(), n, 1e-9);
    for (int k = 1; k < n; ++k)
        EXPECT_NEAR(std::abs(fft.getForwardBuffer()[k]), 0.0, 1e-9) << k;
}

TEST_P(FftSizes, ForwardMatchesDirectDftAndInverseRestoresInput)
{
    const int n = GetParam();
    const auto x =
        dsptest::randomSignal(static_cast<std::size_t>(n), 7u + static_cast<unsigned>(n));
    ARFFT forward(n);
    forward.forwardReal(x.data());
    for (int k = 0; k < n; ++k)
        EXPECT_LT(std::abs(forward.getForwardBuffer()[k] - dft(x, k, -1.0)), 1e-10 * n) << k;

    std::vector<Complex> half(forward.getForwardBuffer(), forward.getForwardBuffer() + n / 2 + 1);
    BRFFT inverse(n);
    inverse.inverseReal(half.data());
    // Unnormalised: N times the input before normalize.
    EXPECT_NEAR(inverse.getInverseBuffer()[1].real(), n * x[1], 1e-9 * n);
    inverse.normalize();
    for (int i = 0; i < n; ++i)
    {
        EXPECT_NEAR(inverse.getInverseBuffer()[i].real(), x[static_cast<std::size_t>(i)], 1e-12);
        EXPECT_EQ(inverse.getInverseBuffer()[i].imag(), 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FftSizes, ::testing::Values(4, 8, 128, 2048));

std::string captured(RFFT& fft, int first, int count)
{
    ::testing::internal::CaptureStdout();
    fft.printBins(first, count);
    return ::testing::internal::GetCapturedStdout();
}

TEST(FftPrint, PrintsOneLinePerBinOnlyForRangesInsideTheTransform)
{
    ARFFT forward(8);
    std::vector<double> x(8, 0.0);
    x[0] = 1.0;
    forward.forwardReal(x.data());
    std::ostringstream expected;
    expected << "F[6] = " << forward.getForwardBuffer()[6]
             << "\nF[7] = " << forward.getForwardBuffer()[7] << "\n";
    EXPECT_EQ(captured(forward, 6, 2), expected.str());
    EXPECT_EQ(expected.str().rfind("F[6] = (1,", 0), 0u);

    BRFFT inverse(8);
    std::vector<Complex> half(5, Complex(0.0, 0.0));
    inverse.inverseReal(half.data());
    EXPECT_EQ(captured(inverse, 0, 1), "f[0] = (0,0)\n");

    for (auto [first, count] : {std::pair{-1, 2}, {0, 0}, {7, 2}, {0, 9}, {8, 1}})
    {
        EXPECT_EQ(captured(forward, first, count), "") << first << "," << count;
        EXPECT_EQ(captured(inverse, first, count), "") << first << "," << count;
    }

    ::testing::internal::CaptureStdout();
    forward.printAllBins();
    const std::string all = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 8);
    EXPECT_EQ(all.rfind("F[0] = (1,", 0), 0u);
    EXPECT_NE(all.find("\nF[7] = (1,"), std::string::npos);
}

TEST(FftPrint, BaseClassOperationsDoNothing)
{
    RFFT base(8);
    std::vector<double> x(8, 1.0);
    std::vector<Complex> half(5, Complex(1.0, 0.0));
    ::testing::internal::CaptureStdout();
    base.forwardReal(x.data());
    base.inverseReal(half.data());
    base.printAllBins();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(base.getForwardBuffer()[0], Complex(0.0, 0.0));
    EXPECT_EQ(half[0], Complex(1.0, 0.0));
}
} // namespace
