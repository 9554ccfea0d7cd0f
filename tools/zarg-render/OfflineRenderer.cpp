#include "OfflineRenderer.h"

#include "RenderError.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;

OfflineRenderer::OfflineRenderer(ZargHost::PluginInstance& instance, double sampleRate,
                                 int channels, int32 blockSize)
    : plugin(instance), rate(sampleRate), channelCount(channels), block(blockSize)
{
    const SpeakerArrangement arrangement = channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo;
    if (plugin.setBusArrangements(arrangement, arrangement) != kResultOk)
        throw RenderError(std::string("the plug-in does not take ") +
                          (channels == 1 ? "mono" : "stereo") + " input");
    if (plugin.setupProcessing(rate, block, kOffline) != kResultOk)
        throw RenderError("the plug-in refused to process at " +
                          std::to_string(static_cast<long>(rate)) + " Hz in blocks of " +
                          std::to_string(block));
}

void OfflineRenderer::activate()
{
    if (plugin.activate() != kResultOk)
        throw RenderError("the plug-in could not be activated");
    latencySamples = plugin.processor()->getLatencySamples();
    const uint32 reported = plugin.processor()->getTailSamples();
    const auto cap = static_cast<int64_t>(kMaxTailSeconds * rate);
    tail = reported == kInfiniteTail ? cap : std::min<int64_t>(reported, cap);
}

void OfflineRenderer::render(const AudioData& input, const std::vector<Change>& firstBlock,
                             const Sink& sink, const Progress& progress,
                             const volatile std::sig_atomic_t* stop)
{
    ZargHost::ProcessBlock buffers({channelCount}, {channelCount}, block, rate);
    const auto frames = static_cast<int64_t>(input.frames());
    const int64_t total = frames + tail + latencySamples;
    int64_t toDrop = latencySamples;
    std::vector<const float*> out(static_cast<size_t>(channelCount));

    for (int64_t position = 0; position < total;)
    {
        const auto length = static_cast<int32>(std::min<int64_t>(block, total - position));
        buffers.clearChangesAndEvents();
        if (position == 0)
            for (const Change& change : firstBlock)
                buffers.inputChanges().add(change.id, 0, change.normalized);

        for (int c = 0; c < channelCount; ++c)
        {
            float* in = buffers.input(0, c);
            const std::vector<float>& source = input.channels[static_cast<size_t>(c)];
            // Past the input's end the plug-in hears silence while its tail plays out.
            const int64_t available = std::clamp<int64_t>(frames - position, 0, length);
            if (available > 0)
                std::copy_n(source.begin() + position, available, in);
            std::fill(in + available, in + length, 0.0f);
        }

        if (plugin.processor()->process(buffers.data(length, kOffline)) != kResultOk)
            throw RenderError("the plug-in failed to process a block at sample " +
                              std::to_string(position));
        buffers.advance(length);

        const auto skipped = static_cast<int32>(std::min<int64_t>(toDrop, length));
        toDrop -= skipped;
        if (length > skipped)
        {
            for (int c = 0; c < channelCount; ++c)
                out[static_cast<size_t>(c)] = buffers.output(0, c) + skipped;
            sink(out, static_cast<size_t>(length - skipped));
        }
        position += length;
        progress(position, total);
        if (stop && *stop)
            throw RenderError("interrupted", RenderError::Kind::Interrupted);
    }
}
