#pragma once

#include "AudioData.h"

#include <string>

// Reads any file libsndfile knows (WAV, AIFF, FLAC, ...) at its own rate.
// The plug-in is stereo at most, so only the first two channels are kept.
class AudioFileReader
{
public:
    static AudioData read(const std::string& path);
};
