// CQuorzel's reaction to control changes: which filters it redesigns, the
// stage gains with Boost and Plus, the gate set-up.
#include "dsp/CQuorzel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

namespace
{

// Design counts of the five filter pairs, by name.
std::map<std::string, unsigned> designCounts(const CQuorzel& q, int channel)
{
    return {{"tone", q.m_pToneStack[channel]->getDesignCount()},
            {"gain", q.m_pGainFilter[channel]->getDesignCount()},
            {"input", q.m_pInputFilter[channel]->getDesignCount()},
            {"inter", q.m_pInterstageFilter[channel]->getDesignCount()},
            {"volume", q.m_pVolumeFilter[channel]->getDesignCount()}};
}

class CQuorzelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        q.postConstruct();
        q.m_sampleRate = 48000;
        q.prepareToProcess();
    }

    // The filter pairs a change of control id redesigned (each side exactly once).
    std::set<std::string> redesignedBy(uint32_t id, float plain)
    {
        const auto left = designCounts(q, 0);
        const auto right = designCounts(q, 1);
        q.setPlainControlValue(id, plain);
        std::set<std::string> changed;
        for (const auto& [name, count] : designCounts(q, 0))
        {
            EXPECT_EQ(count - left.at(name), designCounts(q, 1).at(name) - right.at(name))
                << name << " left and right differ";
            if (count != left.at(name))
            {
                EXPECT_EQ(count - left.at(name), 1u) << name << " designed twice";
                changed.insert(name);
            }
        }
        return changed;
    }

    CQuorzel q;
};

TEST_F(CQuorzelTest, EachControlRedesignsItsFilters)
{
    const std::set<std::string> none;
    const std::set<std::string> all4 = {"gain", "input", "inter", "volume"};
    const struct
    {
        uint32_t id;
        float plain;
        std::set<std::string> filters;
    } cases[] = {
        {CQuorzel::kGain, 0.3f, {"gain"}},
        {CQuorzel::kPush1, 1.2f, none},
        {CQuorzel::kPush2, 1.2f, none},
        {CQuorzel::kPush3, 1.2f, none},
        {CQuorzel::kPush4, 0.6f, none},
        {CQuorzel::kVolume, 1.0f, {"volume"}},
        {CQuorzel::kMids, 0.3f, {"tone"}},
        {CQuorzel::kSlopeShift, 2.0f, {"tone"}},
        {CQuorzel::kTrim, 2.0f, none},
        {CQuorzel::kGuitarType, 1.0f, {"tone", "gain", "input", "inter", "volume"}},
        {CQuorzel::kGainfilterType, 1.0f, {"gain"}},
        {CQuorzel::kGSModel, 3.0f, {"gain"}},
        {CQuorzel::kVSModel, 3.0f, {"volume"}},
        {CQuorzel::kStereoMono, 1.0f, none},
        {CQuorzel::kLeftRight, 1.0f, none},
        {CQuorzel::kCircuit, 2.0f, all4},
        {CQuorzel::kISDModel, 4.0f, {"inter"}},
        {CQuorzel::kINModel, 5.0f, {"input"}},
        {CQuorzel::kTSType, 7.0f, {"tone"}},
        {CQuorzel::kBoost, 0.5f, none},
        {CQuorzel::kNG2Attack, 100.0f, none},
        {CQuorzel::kNG2Release, 100.0f, none},
        {CQuorzel::kNG2Threshold, -40.0f, none},
        {CQuorzel::kPlus, 1.0f, none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(redesignedBy(c.id, c.plain), c.filters) << "control " << c.id;
    // Index controls set to the value they hold change nothing.
    EXPECT_EQ(redesignedBy(CQuorzel::kTSType, 7.0f), none);
    // The buttons do nothing.
    const auto before = designCounts(q, 0);
    for (int32_t button : {50, 51, 52})
        q.onControlChange(button);
    EXPECT_EQ(designCounts(q, 0), before);
}

TEST_F(CQuorzelTest, SetUpDesignsEveryNetworkFromTheCurrentSelections)
{
    q.m_uINModel = 3;
    q.m_uISDModel = 5;
    q.prepareToProcess();
    CQuorzel reference;
    reference.m_sampleRate = 48000;
    reference.prepareToProcess();
    EXPECT_NE(q.m_pInputFilter[0]->getTaps(), reference.m_pInputFilter[0]->getTaps());
    reference.setPlainControlValue(CQuorzel::kINModel, 3.0f);
    reference.setPlainControlValue(CQuorzel::kISDModel, 5.0f);
    for (int c = 0; c < 2; ++c)
    {
        EXPECT_EQ(q.m_pInputFilter[c]->getTaps(), reference.m_pInputFilter[c]->getTaps());
        EXPECT_EQ(q.m_pInterstageFilter[c]->getTaps(), reference.m_pInterstageFilter[c]->getTaps());
    }

    // Circuit re-applies the selections the networks already carry.
    const std::vector<double> input = q.m_pInputFilter[0]->getTaps();
    const std::vector<double> inter = q.m_pInterstageFilter[0]->getTaps();
    q.setPlainControlValue(CQuorzel::kCircuit, 9.0f);
    EXPECT_EQ(q.m_pInputFilter[0]->getTaps(), input);
    EXPECT_EQ(q.m_pInterstageFilter[0]->getTaps(), inter);
}

// The stage gains are a function of Push1-3, Boost and Plus, whatever order
// they arrive in and whatever set-up came between.
TEST_F(CQuorzelTest, StageGainsFollowThePlusRuleInAnyOrder)
{
    q.setPlainControlValue(CQuorzel::kPlus, 1.0f);
    q.setPlainControlValue(CQuorzel::kBoost, 0.5f);
    EXPECT_FLOAT_EQ(q.m_fStageGain1, 1.36f);
    EXPECT_FLOAT_EQ(q.m_fStageGain2, 1.36f);
    EXPECT_FLOAT_EQ(q.m_fStageGain3, 0.9f);
    // A Push1 change keeps the factor while Plus reads ON.
    q.setPlainControlValue(CQuorzel::kPush1, 0.7f);
    EXPECT_FLOAT_EQ(q.m_fStageGain1, 1.36f);
    q.setPlainControlValue(CQuorzel::kPush2, 0.9f);
    EXPECT_FLOAT_EQ(q.m_fStageGain2, static_cast<float>((0.9 + 0.15) * 1.6));
    q.prepareToProcess();
    EXPECT_FLOAT_EQ(q.m_fStageGain1, 1.36f);
    EXPECT_FLOAT_EQ(q.m_fStageGain3, 0.9f);

    // The same values delivered in another order give the same gains.
    CQuorzel other;
    other.m_sampleRate = 48000;
    other.prepareToProcess();
    other.setPlainControlValue(CQuorzel::kPush2, 0.9f);
    other.setPlainControlValue(CQuorzel::kBoost, 0.5f);
    other.setPlainControlValue(CQuorzel::kPlus, 1.0f);
    other.setPlainControlValue(CQuorzel::kPush1, 0.7f);
    EXPECT_EQ(other.m_fStageGain1, q.m_fStageGain1);
    EXPECT_EQ(other.m_fStageGain2, q.m_fStageGain2);
    EXPECT_EQ(other.m_fStageGain3, q.m_fStageGain3);

    q.setPlainControlValue(CQuorzel::kPlus, 0.0f);
    EXPECT_FLOAT_EQ(q.m_fStageGain1, 0.85f);
    EXPECT_FLOAT_EQ(q.m_fStageGain2, 1.05f);
}

TEST_F(CQuorzelTest, GateTimesApplyWithTheNextThreshold)
{
    const double fs = 48000.0;
    q.setPlainControlValue(CQuorzel::kNG2Attack, 2000.0f);
    EXPECT_DOUBLE_EQ(q.m_pGate[0]->getCloseCoefficient(), std::pow(0.01, 1000.0 / (350.0 * fs)));
    q.setPlainControlValue(CQuorzel::kNG2Threshold, -40.0f);
    for (int c = 0; c < 2; ++c)
    {
        EXPECT_DOUBLE_EQ(q.m_pGate[c]->getCloseCoefficient(),
                         std::pow(0.01, 1000.0 / (2000.0 * fs)));
        EXPECT_DOUBLE_EQ(q.m_pGate[c]->getThresholdLinear(), std::pow(10.0, -40.0 / 20.0));
    }
}

TEST_F(CQuorzelTest, MonoFeedsBothChainsFromTheChosenSide)
{
    // The chains are identical, so the same input gives the same output.
    CQuorzel stereo;
    stereo.m_sampleRate = 48000;
    stereo.prepareToProcess();
    q.setPlainControlValue(CQuorzel::kStereoMono, 1.0f);
    for (int i = 0; i < 3000; ++i)
    {
        const float in[2] = {std::sin(0.01f * static_cast<float>(i)),
                             0.5f * std::cos(0.03f * static_cast<float>(i))};
        const float leftOnly[2] = {in[0], in[0]};
        float out[2];
        float expected[2];
        q.processFrame(in, out, 2, 2);
        stereo.processFrame(leftOnly, expected, 2, 2);
        ASSERT_EQ(out[0], expected[0]) << i;
        ASSERT_EQ(out[1], expected[1]) << i;
    }
}

} // namespace
