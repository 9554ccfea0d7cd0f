#include "AudioFileReader.h"

#include "RenderError.h"

#include <sndfile.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace
{

struct SndfileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};

constexpr sf_count_t kChunkFrames = 8192;

} // namespace

AudioData AudioFileReader::read(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw RenderError("cannot read '" + path + "': it is a folder");
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        throw RenderError("cannot read '" + path + "': " + sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        throw RenderError("cannot read '" + path + "': no audio channels");
    if (info.frames < 1)
        throw RenderError("'" + path + "' holds no audio");

    const int kept = std::min(info.channels, 2);
    AudioData audio;
    audio.sampleRate = info.samplerate;
    audio.channels.assign(static_cast<size_t>(kept), {});
    for (auto& channel : audio.channels)
        channel.reserve(static_cast<size_t>(info.frames));

    std::vector<float> chunk(static_cast<size_t>(kChunkFrames * info.channels));
    for (;;)
    {
        const sf_count_t got = sf_readf_float(file.get(), chunk.data(), kChunkFrames);
        if (got <= 0)
            break;
        for (sf_count_t f = 0; f < got; ++f)
            for (int c = 0; c < kept; ++c)
                audio.channels[static_cast<size_t>(c)].push_back(
                    chunk[static_cast<size_t>(f * info.channels + c)]);
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw RenderError("cannot read '" + path + "': " + sf_strerror(file.get()));
    if (audio.frames() == 0)
        throw RenderError("'" + path + "' holds no audio");
    return audio;
}
