#include "MidiProbe.h"

bool MidiProbe::processFrame(const float*, float* output, uint32_t, uint32_t numOutputChannels)
{
    output[0] = static_cast<float>(heldNote) / 128.0f;
    if (numOutputChannels > 1)
        output[1] = static_cast<float>(modWheel) / 128.0f;
    return true;
}

bool MidiProbe::onMidiNoteOn(uint32_t, uint32_t note, uint32_t)
{
    heldNote = note;
    return true;
}

bool MidiProbe::onMidiNoteOff(uint32_t, uint32_t note, uint32_t, bool allNotesOff)
{
    if (allNotesOff || note == heldNote)
        heldNote = 0;
    return true;
}

bool MidiProbe::onMidiModWheel(uint32_t, uint32_t value)
{
    modWheel = value;
    return true;
}

CPlugIn* createPlugInObject()
{
    return new MidiProbe;
}
