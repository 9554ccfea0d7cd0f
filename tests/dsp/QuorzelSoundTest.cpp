// CQuorzel's sound against the chain as it was, with the literal engine and its delay:
// the same output, only earlier, and no larger clicks when controls move.
#include "LiteralQuorzelChain.h"
#include "dsp/CQuorzel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr int kDelay = LiteralQuorzelChain::kDelay;

struct Stereo
{
    std::vector<float> left, right;
};

// A plucked chord, a different mix on each side.
Stereo chord(int fs, double seconds, double level)
{
    const auto n = static_cast<std::size_t>(fs * seconds);
    Stereo s{std::vector<float>(n), std::vector<float>(n)};
    for (std::size_t i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / fs;
        const double decay = std::exp(-3.0 * std::fmod(t, 0.5));
        const double a = std::sin(2.0 * M_PI * 82.41 * t), b = std::sin(2.0 * M_PI * 123.47 * t);
        s.left[i] = static_cast<float>(level * decay * (a + 0.5 * b));
        s.right[i] = static_cast<float>(level * decay * (0.5 * a + b));
    }
    return s;
}

// Two held notes swelling in and out, with no step of their own.
Stereo swell(int fs, double seconds, double level)
{
    const auto n = static_cast<std::size_t>(fs * seconds);
    Stereo s{std::vector<float>(n), std::vector<float>(n)};
    for (std::size_t i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / fs;
        const double envelope = 0.6 + 0.4 * std::sin(2.0 * M_PI * 1.3 * t);
        const double a = std::sin(2.0 * M_PI * 82.41 * t), b = std::sin(2.0 * M_PI * 123.47 * t);
        s.left[i] = static_cast<float>(level * envelope * (a + 0.5 * b));
        s.right[i] = static_cast<float>(level * envelope * (0.5 * a + b));
    }
    return s;
}

// An instance as the host leaves it before playing: built, set up for fs.
void prepare(CQuorzel& q, int fs)
{
    q.postConstruct();
    q.m_sampleRate = fs;
    q.prepareToProcess();
}

// The frame's chain inputs as StereoMono and LeftRight route a stereo bus.
std::pair<float, float> route(const CQuorzel& q, float left, float right)
{
    const bool mono = q.m_uStereoMono == 1;
    return {mono && q.m_uLeftRight != 0 ? right : left, mono && q.m_uLeftRight != 1 ? left : right};
}

// Both renders of one block: CQuorzel in one call, the literal chain frame by frame.
void renderBlock(CQuorzel& q, LiteralQuorzelChain (&literal)[2], const Stereo& in, Stereo& out,
                 Stereo& old, std::size_t start, std::size_t count)
{
    float* inputs[2] = {const_cast<float*>(in.left.data() + start),
                        const_cast<float*>(in.right.data() + start)};
    float* outputs[2] = {out.left.data() + start, out.right.data() + start};
    q.processChannelBuffers(inputs, outputs, 2, static_cast<int32_t>(count));
    for (std::size_t i = start; i < start + count; ++i)
    {
        const auto [l, r] = route(q, in.left[i], in.right[i]);
        old.left[i] = literal[0].process(l);
        old.right[i] = literal[1].process(r);
    }
}

TEST(QuorzelSound, EveryPresetIsTheOldSoundWithoutItsDelay)
{
    for (int fs : {44100, 48000, 96000})
    {
        const Stereo in = chord(fs, 0.3, 0.3);
        const std::size_t n = in.left.size();
        for (uint32_t preset = 0; preset < kNumPresets; ++preset)
        {
            SCOPED_TRACE(testing::Message() << "preset " << preset << " at " << fs);
            CQuorzel q;
            prepare(q, fs);
            for (uint32_t id = 0; id < q.m_controlList.count(); ++id)
                q.setPlainControlValue(id,
                                       static_cast<float>(q.m_controls[id]->presetValues[preset]));
            LiteralQuorzelChain literal[2] = {{q, 0}, {q, 1}};
            Stereo out{std::vector<float>(n), std::vector<float>(n)};
            Stereo old = out;
            for (std::size_t start = 0; start < n; start += 512)
                renderBlock(q, literal, in, out, old, start, std::min<std::size_t>(512, n - start));

            float worst = 0.0f;
            double energy = 0.0;
            for (std::size_t i = 0; i + kDelay < n; ++i)
            {
                worst = std::max({worst, std::fabs(out.left[i] - old.left[i + kDelay]),
                                  std::fabs(out.right[i] - old.right[i + kDelay])});
                energy += static_cast<double>(out.left[i] * out.left[i]);
            }
            EXPECT_LE(worst, 1e-6f);
            EXPECT_GT(energy / static_cast<double>(n), 1e-6);
        }
    }
}

// Largest step between neighbouring samples of either channel.
float largestStep(const Stereo& s)
{
    float step = 0.0f;
    for (std::size_t i = 1; i < s.left.size(); ++i)
        step = std::max(
            {step, std::fabs(s.left[i] - s.left[i - 1]), std::fabs(s.right[i] - s.right[i - 1])});
    return step;
}

// Largest second difference of either channel: a click bends the signal far more than
// a low note does.
float largestBend(const Stereo& s)
{
    float bend = 0.0f;
    for (std::size_t i = 2; i < s.left.size(); ++i)
        for (const auto* c : {&s.left, &s.right})
            bend = std::max(bend, std::fabs((*c)[i] - 2.0f * (*c)[i - 1] + (*c)[i - 2]));
    return bend;
}

// Gain and Volume automated every 64-sample block, TS_Type stepping through all tone
// stacks: the new responses come in at least as smoothly as they did, and bend the
// signal no more than the loudest of the settings does when held.
TEST(QuorzelSound, AnAutomatedSweepStepsNoHarderThanBefore)
{
    const int fs = 48000;
    // Quiet enough for the chain to stay near its linear range, and without attacks: the
    // largest steps are those of the responses changing.
    const Stereo in = swell(fs, 2.0, 0.003);
    const std::size_t n = in.left.size();
    CQuorzel q;
    prepare(q, fs);
    LiteralQuorzelChain literal[2] = {{q, 0}, {q, 1}};
    Stereo out{std::vector<float>(n), std::vector<float>(n)};
    Stereo old = out;
    const std::size_t block = 64;
    const float loudest = 0.95f;
    for (std::size_t start = 0; start < n; start += block)
    {
        const double t = static_cast<double>(start) / static_cast<double>(n);
        q.setNormalizedControlValue(CQuorzel::kGain,
                                    static_cast<float>(0.5 + 0.45 * std::sin(9 * t)), false);
        q.setNormalizedControlValue(CQuorzel::kVolume,
                                    static_cast<float>(0.5 + 0.45 * std::cos(7 * t)), false);
        if (start % 4800 == 0)
            q.setPlainControlValue(CQuorzel::kTSType, static_cast<float>((start / 4800 * 7) % 20));
        for (auto& chain : literal)
            chain.follow(q);
        renderBlock(q, literal, in, out, old, start, std::min(block, n - start));
    }
    EXPECT_LE(largestStep(out), largestStep(old));

    float held = 0.0f;
    const std::size_t shortRender = 9600;
    for (int type = 0; type < 20; ++type)
    {
        CQuorzel still;
        prepare(still, fs);
        still.setNormalizedControlValue(CQuorzel::kGain, loudest, false);
        still.setNormalizedControlValue(CQuorzel::kVolume, loudest, false);
        still.setPlainControlValue(CQuorzel::kTSType, static_cast<float>(type));
        Stereo part{std::vector<float>(in.left.begin(), in.left.begin() + shortRender),
                    std::vector<float>(in.right.begin(), in.right.begin() + shortRender)};
        float* buffers[2] = {part.left.data(), part.right.data()};
        still.processChannelBuffers(buffers, buffers, 2, static_cast<int32_t>(shortRender));
        held = std::max(held, largestBend(part));
    }
    EXPECT_LE(largestBend(out), 1.5f * held);
}
} // namespace
