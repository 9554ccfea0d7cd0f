#include "dsp/CNoiseGate.h"

#include <cmath>

void CNoiseGate::setParameters(double attackMs, double releaseMs, double sampleRate,
                               double thresholdDb)
{
    m_dCloseCoefficient = std::pow(0.01, 1000.0 / (attackMs * sampleRate));
    m_dOpenCoefficient = std::pow(0.01, 1000.0 / (releaseMs * sampleRate));
    m_dThresholdLinear = std::pow(10.0, thresholdDb / 20.0);
}

double CNoiseGate::processSample(double x)
{
    const double target = std::fabs(x) > m_dThresholdLinear ? 1.0 : 0.0;
    const double c = m_dGateGain > target ? m_dCloseCoefficient : m_dOpenCoefficient;
    m_dGateGain = (m_dGateGain - target) * c + target;
    m_dOutput = x * m_dGateGain;
    return m_dGateGain;
}
