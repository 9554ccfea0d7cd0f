#pragma once

#include "SoundFile.h"

// The stereo input of the export test: silence first, then a plucked chord
// with a different note in each channel, so that a swapped or shifted
// channel shows.
class TestSignal
{
public:
    // The plug-in's state settles in this much silence to the same bits
    // whatever it heard before (measured: 1 s is not enough, 2 s and 4 s give
    // equal outputs). Ardour runs the plug-in on silence before an export
    // starts; the reference render starts from a new instance.
    static constexpr double kLeadSeconds = 2.0;
    static constexpr double kSoundSeconds = 1.0;

    // As 32-bit float WAV.
    static SoundFile stereo(int sampleRate);
    // One channel of a sound as a mono float WAV: Ardour keeps one file a channel.
    static SoundFile channel(const SoundFile& sound, size_t index);
};
