#pragma once

// A gain that follows the instantaneous signal level against a threshold, closing and
// opening at separate speeds. The level test uses the sample itself, not an envelope;
// only the two coefficients smooth the gain.
class CNoiseGate
{
public:
    CNoiseGate() = default;

    // A coefficient 0.01^(1000 / (T * fs)) covers 99 % of the distance to the target in T ms.
    void setParameters(double attackMs, double releaseMs, double sampleRate, double thresholdDb);
    // One gate step; returns the new gain.
    double processSample(double x);
    double getOutput() const { return m_dOutput; }

    double getCloseCoefficient() const { return m_dCloseCoefficient; }
    double getOpenCoefficient() const { return m_dOpenCoefficient; }
    double getThresholdLinear() const { return m_dThresholdLinear; }

private:
    double m_dCloseCoefficient = 0.0;
    double m_dOpenCoefficient = 0.0;
    double m_dThresholdLinear = 0.0;
    double m_dGateGain = 1.0;
    double m_dOutput = 0.0;
};
