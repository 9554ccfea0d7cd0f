#pragma once

#include "AudioData.h"

#include "host/PluginInstance.h"

#include <csignal>
#include <cstdint>
#include <functional>
#include <vector>

// Drives an initialized plug-in instance offline: sets it up for the input's
// rate and channel count, then feeds the input plus the plug-in's tail
// through it block by block. The first `latency` output samples are the
// plug-in's delay, not signal: they are dropped, so what reaches the sink
// lines up with the input.
class OfflineRenderer
{
public:
    struct Change
    {
        Steinberg::Vst::ParamID id;
        double normalized;
    };
    using Sink = std::function<void(const std::vector<const float*>& channels, size_t frames)>;
    using Progress = std::function<void(int64_t done, int64_t total)>;

    // A tail the plug-in calls infinite, or longer than this, is cut here.
    static constexpr double kMaxTailSeconds = 10.0;

    // Bus arrangement and setupProcessing; throws when the plug-in refuses.
    OfflineRenderer(ZargHost::PluginInstance& plugin, double sampleRate, int channels,
                    Steinberg::int32 blockSize);

    // Latency and tail are read once the plug-in is active, when they are final.
    void activate();
    Steinberg::uint32 latency() const { return latencySamples; }
    int64_t tailFrames() const { return tail; }

    // firstBlock: parameter changes delivered at the start of the first block.
    // stop: set (by a signal handler) to abandon the render.
    void render(const AudioData& input, const std::vector<Change>& firstBlock, const Sink& sink,
                const Progress& progress, const volatile std::sig_atomic_t* stop);

private:
    ZargHost::PluginInstance& plugin;
    double rate;
    int channelCount;
    Steinberg::int32 block;
    Steinberg::uint32 latencySamples = 0;
    int64_t tail = 0;
};
