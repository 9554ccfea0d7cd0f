#include "AudioFileWriter.h"

#include "RenderError.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace
{

std::string systemError()
{
    return std::strerror(errno);
}

} // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, int sampleRate, int channels)
    : target(path), channelCount(channels)
{
    const std::filesystem::path out(path);
    std::error_code ec;
    if (std::filesystem::is_directory(out, ec))
        throw RenderError("cannot write '" + path + "': it is a folder");
    const std::filesystem::path folder = out.has_parent_path() ? out.parent_path() : ".";
    // Hidden, and unique so that parallel renders to one name do not collide.
    std::string hidden(1, '.');
    hidden.append(out.filename().string()).append(".XXXXXX");
    std::string pattern = (folder / hidden).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw RenderError("cannot write '" + path + "': " + systemError());
    temporary = pattern;

    // mkstemp makes the file private; the result should get the usual mode.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file)
    {
        const std::string reason = sf_strerror(nullptr);
        close(fd);
        discard();
        throw RenderError("cannot write '" + path + "': " + reason);
    }
    // The peak chunk carries the time of writing: without it the same render
    // gives the same bytes.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
}

AudioFileWriter::~AudioFileWriter()
{
    discard();
}

void AudioFileWriter::write(const std::vector<const float*>& channels, size_t frames)
{
    interleaved.resize(frames * static_cast<size_t>(channelCount));
    for (size_t f = 0; f < frames; ++f)
        for (size_t c = 0; c < static_cast<size_t>(channelCount); ++c)
            interleaved[f * static_cast<size_t>(channelCount) + c] = channels[c][f];
    const auto count = static_cast<sf_count_t>(frames);
    if (sf_writef_float(file, interleaved.data(), count) != count)
        throw RenderError("cannot write '" + target + "': " + sf_strerror(file));
}

void AudioFileWriter::commit()
{
    // Closing writes the header: only then is the file complete.
    const int closed = sf_close(file);
    file = nullptr;
    if (closed != 0)
    {
        discard();
        throw RenderError("cannot write '" + target + "': " + sf_error_number(closed));
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
    {
        const std::string reason = systemError();
        discard();
        throw RenderError("cannot write '" + target + "': " + reason);
    }
    temporary.clear();
}

void AudioFileWriter::discard()
{
    if (file)
    {
        sf_close(file);
        file = nullptr;
    }
    if (!temporary.empty())
    {
        std::remove(temporary.c_str());
        temporary.clear();
    }
}
