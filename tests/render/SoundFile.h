#pragma once

#include <string>
#include <vector>

// A sound file's format and samples as libsndfile reads them (as float).
struct SoundFile
{
    int sampleRate = 0;
    int format = 0;
    std::vector<std::vector<float>> channels;

    size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }

    // Throws std::runtime_error when the file cannot be read.
    static SoundFile read(const std::string& path);
    // format: an SF_FORMAT_* container | subtype.
    static void write(const std::string& path, const SoundFile& sound);
};
