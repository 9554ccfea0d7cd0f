#include "TestSignal.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>

namespace
{

constexpr int kFloatWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
// Loud enough to drive the fuzz into clipping.
constexpr double kLevel = 0.5;
// Low E and A strings, then their octaves and fifths.
constexpr double kNotes[2] = {82.41, 110.0};
constexpr double kHarmonics[] = {1.0, 2.0, 3.0, 4.0};
constexpr double kDecayPerSecond = 3.0;

} // namespace

SoundFile TestSignal::stereo(int sampleRate)
{
    SoundFile sound;
    sound.sampleRate = sampleRate;
    sound.format = kFloatWav;
    const auto lead = static_cast<size_t>(kLeadSeconds * sampleRate);
    const auto length = static_cast<size_t>(kSoundSeconds * sampleRate);
    for (double note : kNotes)
    {
        std::vector<float> samples(lead + length, 0.0f);
        for (size_t i = 0; i < length; ++i)
        {
            const double t = static_cast<double>(i) / sampleRate;
            double v = 0.0;
            for (double h : kHarmonics)
                v += std::sin(2.0 * std::numbers::pi * note * h * t) / (h * h);
            samples[lead + i] = static_cast<float>(kLevel * std::exp(-kDecayPerSecond * t) * v);
        }
        sound.channels.push_back(std::move(samples));
    }
    return sound;
}

SoundFile TestSignal::channel(const SoundFile& sound, size_t index)
{
    SoundFile mono;
    mono.sampleRate = sound.sampleRate;
    mono.format = kFloatWav;
    mono.channels.push_back(sound.channels.at(index));
    return mono;
}
