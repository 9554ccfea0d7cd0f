#pragma once

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace dsptest
{
inline std::vector<double> randomSignal(std::size_t count, unsigned seed, double amplitude = 1.0)
{
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> distribution(-amplitude, amplitude);
    std::vector<double> signal(count);
    for (auto& v : signal)
        v = distribution(generator);
    return signal;
}

// |sum over n of taps[n] e^(-j 2 pi f n / fs)|: the finished filter's magnitude at f.
inline double magnitudeAt(const std::vector<double>& taps, double f, double fs)
{
    std::complex<double> sum;
    for (std::size_t n = 0; n < taps.size(); ++n)
        sum += taps[n] * std::polar(1.0, -2.0 * M_PI * f * static_cast<double>(n) / fs);
    return std::abs(sum);
}
} // namespace dsptest
