#pragma once

#include "framework/CPlugIn.h"

// A plug-in object that makes the MIDI it is told audible: the left output is the
// held note's number / 128 (0 with no note held), the right output the last mod wheel
// value / 128.
class MidiProbe : public CPlugIn
{
public:
    bool processFrame(const float* input, float* output, uint32_t numInputChannels,
                      uint32_t numOutputChannels) override;
    bool onMidiNoteOn(uint32_t channel, uint32_t note, uint32_t velocity) override;
    bool onMidiNoteOff(uint32_t channel, uint32_t note, uint32_t velocity,
                       bool allNotesOff) override;
    bool onMidiModWheel(uint32_t channel, uint32_t value) override;

private:
    uint32_t heldNote = 0;
    uint32_t modWheel = 0;
};
