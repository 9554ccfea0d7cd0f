#pragma once

#include "AudioData.h"

// The built-in test signal: a short riff on a plucked guitar string, single
// notes and a ringing power chord, about as loud as a guitar straight into an
// interface. Stereo, the same in both channels, and identical on every run.
class GuitarRiff
{
public:
    static AudioData synthesise(double sampleRate);
    static constexpr double kSeconds = 4.0;
};
