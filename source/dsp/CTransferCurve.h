#pragma once

#include <array>

// A memoryless transistor clipping stage: a table of the stage's output over the input
// range -1..+1 (point k at x = -1 + 0.02 k), linearly interpolated and extended along
// the end segments outside that range.
class CTransferCurve
{
public:
    static constexpr int kPointCount = 101;
    using Table = std::array<double, kPointCount>;

    CTransferCurve();

    // 0, 1 or 2 selects that table; any other value selects table 0. The output is kept.
    void selectTable(int type);
    void reset();
    void processSample(double x);
    double getOutput() const { return m_dOutput; }

    static const Table& table(int type);

private:
    const Table* m_pTable;
    double m_dOutput = 0.0;
};
