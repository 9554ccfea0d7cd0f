#include "SoundFile.h"

#include <sndfile.h>

#include <stdexcept>

SoundFile SoundFile::read(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw std::runtime_error("cannot read " + path + ": " + sf_strerror(nullptr));
    std::vector<float> interleaved(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (got != info.frames)
        throw std::runtime_error("short read of " + path);

    SoundFile sound;
    sound.sampleRate = info.samplerate;
    sound.format = info.format;
    const auto count = static_cast<size_t>(info.channels);
    sound.channels.assign(count, std::vector<float>(static_cast<size_t>(info.frames)));
    for (size_t f = 0; f < static_cast<size_t>(info.frames); ++f)
        for (size_t c = 0; c < count; ++c)
            sound.channels[c][f] = interleaved[f * count + c];
    return sound;
}

void SoundFile::write(const std::string& path, const SoundFile& sound)
{
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = static_cast<int>(sound.channels.size());
    info.format = sound.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    const size_t count = sound.channels.size();
    std::vector<float> interleaved(sound.frames() * count);
    for (size_t f = 0; f < sound.frames(); ++f)
        for (size_t c = 0; c < count; ++c)
            interleaved[f * count + c] = sound.channels[c][f];
    const auto frames = static_cast<sf_count_t>(sound.frames());
    const sf_count_t put = sf_writef_float(file, interleaved.data(), frames);
    sf_close(file);
    if (put != frames)
        throw std::runtime_error("short write of " + path);
}
