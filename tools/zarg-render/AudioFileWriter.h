#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

// Writes a 32-bit float WAV. The samples go to a hidden temporary file next
// to the target, which replaces the target only on commit(), so a failed or
// interrupted render never leaves a partial file behind (nor spoils an old one).
class AudioFileWriter
{
public:
    AudioFileWriter(const std::string& path, int sampleRate, int channels);
    ~AudioFileWriter();

    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // frames samples of every channel.
    void write(const std::vector<const float*>& channels, size_t frames);
    void commit();

private:
    void discard();

    std::string target;
    std::string temporary;
    SNDFILE* file = nullptr;
    int channelCount;
    std::vector<float> interleaved;
};
