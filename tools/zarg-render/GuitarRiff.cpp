#include "GuitarRiff.h"

#include "PluckedString.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

struct Note
{
    double start;    // seconds
    double length;   // held for, seconds
    int pitch;       // MIDI note
    double velocity; // 0..1
};

double frequencyOf(int pitch)
{
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}

// Eighth notes at 120 bpm on the low strings, then an E5 power chord
// strummed downwards (low E, B, high E an octave up) that rings out.
std::vector<Note> riff()
{
    constexpr double e = 0.25;
    constexpr double strum = 0.012;
    return {
        {0 * e, 0.9 * e, 40, 0.9},
        {1 * e, 0.9 * e, 40, 0.7},
        {2 * e, 1.9 * e, 43, 1.0},
        {4 * e, 1.9 * e, 45, 1.0},
        {6 * e, 0.9 * e, 40, 0.9},
        {7 * e, 0.9 * e, 40, 0.7},
        {8 * e, 0.9 * e, 46, 1.0},
        {9 * e, 0.9 * e, 45, 0.9},
        {10 * e, 6.0 * e, 40, 1.0},
        {10 * e + strum, 6.0 * e, 47, 0.9},
        {10 * e + 2 * strum, 6.0 * e, 52, 0.8},
    };
}

} // namespace

AudioData GuitarRiff::synthesise(double sampleRate)
{
    const auto frames = static_cast<size_t>(std::lround(kSeconds * sampleRate));
    std::vector<double> mix(frames, 0.0);
    uint32_t seed = 0x5A52u;
    for (const Note& note : riff())
    {
        PluckedString string(sampleRate, frequencyOf(note.pitch), 6.0, seed++);
        const auto begin = static_cast<size_t>(note.start * sampleRate);
        const auto release = begin + static_cast<size_t>(note.length * sampleRate);
        for (size_t i = begin; i < frames; ++i)
        {
            if (i == release)
                string.mute(0.06);
            mix[i] += note.velocity * static_cast<double>(string.next());
        }
    }

    // Fade the last 100 ms so the signal does not end in a click.
    const auto fade = std::min(frames, static_cast<size_t>(0.1 * sampleRate));
    for (size_t i = 0; i < fade; ++i)
        mix[frames - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);

    // Peaks at -6 dBFS, a healthy level for a guitar pickup into an interface.
    double peak = 0.0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    const double scale = peak > 0.0 ? 0.5 / peak : 0.0;

    AudioData audio;
    audio.sampleRate = sampleRate;
    std::vector<float> channel(frames);
    for (size_t i = 0; i < frames; ++i)
        channel[i] = static_cast<float>(mix[i] * scale);
    audio.channels = {channel, channel};
    return audio;
}
