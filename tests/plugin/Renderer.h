#pragma once

#include "host/PluginInstance.h"

#include <cmath>
#include <utility>
#include <vector>

// Renders signals through an activated instance in blocks, applying
// parameter changes at the sample positions they are scheduled for.
struct Change
{
    Steinberg::int32 position;
    Steinberg::Vst::ParamID id;
    double value;
};

struct Stereo
{
    std::vector<float> left, right;
    size_t size() const { return left.size(); }
};

// A decaying plucked chord: loud attacks that fall into a quiet tail.
inline Stereo testSignal(double sampleRate, double seconds)
{
    const size_t n = static_cast<size_t>(sampleRate * seconds);
    Stereo s{std::vector<float>(n), std::vector<float>(n)};
    const double notes[] = {82.41, 123.47, 164.81};
    for (size_t i = 0; i < n; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        const double sinceAttack = std::fmod(t, 1.0);
        double v = 0.0;
        for (double f : notes)
            v += std::sin(2.0 * M_PI * f * t) * std::exp(-4.0 * sinceAttack);
        s.left[i] = static_cast<float>(0.25 * v);
        s.right[i] = static_cast<float>(0.25 * v * std::cos(2.0 * M_PI * 0.5 * t));
    }
    return s;
}

inline Stereo render(ZargHost::PluginInstance& plugin, const Stereo& in, Steinberg::int32 blockSize,
                     std::vector<Change> changes = {}, Steinberg::int32 channels = 2)
{
    ZargHost::ProcessBlock block({channels}, {channels}, blockSize);
    Stereo out{std::vector<float>(in.size()), std::vector<float>(in.size())};
    size_t next = 0;
    Steinberg::int32 position = 0;
    const auto total = static_cast<Steinberg::int32>(in.size());
    while (position < total)
    {
        Steinberg::int32 length = std::min(blockSize, total - position);
        // A block ends where the next change starts.
        if (next < changes.size() && changes[next].position > position)
            length = std::min(length, changes[next].position - position);
        block.clearChangesAndEvents();
        while (next < changes.size() && changes[next].position == position)
        {
            block.inputChanges().add(changes[next].id, 0, changes[next].value);
            ++next;
        }
        for (Steinberg::int32 i = 0; i < length; ++i)
        {
            block.input(0, 0)[i] = in.left[static_cast<size_t>(position + i)];
            if (channels == 2)
                block.input(0, 1)[i] = in.right[static_cast<size_t>(position + i)];
        }
        plugin.process(block, length);
        for (Steinberg::int32 i = 0; i < length; ++i)
        {
            out.left[static_cast<size_t>(position + i)] = block.output(0, 0)[i];
            out.right[static_cast<size_t>(position + i)] =
                channels == 2 ? block.output(0, 1)[i] : 0.0f;
        }
        position += length;
    }
    return out;
}

inline double rms(const std::vector<float>& x)
{
    double sum = 0.0;
    for (float v : x)
        sum += static_cast<double>(v) * static_cast<double>(v);
    return x.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(x.size()));
}

inline bool allFinite(const Stereo& s)
{
    for (size_t i = 0; i < s.size(); ++i)
        if (!std::isfinite(s.left[i]) || !std::isfinite(s.right[i]))
            return false;
    return true;
}
