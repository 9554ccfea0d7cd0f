#pragma once

#include "framework/CPlugIn.h"

#include <functional>
#include <string>
#include <vector>

// A plug-in object that writes down every call the host adapter makes, for
// tests of the adapter. What it offers (controls, flags) is set up per test
// through RecordingPlugIn::configure before the processor is created.
class RecordingPlugIn : public CPlugIn
{
public:
    struct Setup
    {
        bool outputOnly = false;
        bool processesBuffers = false;
        bool wantsAllMidi = false;
        bool presets = true;
        int32_t wantsSidechain = 0;
        int32_t infiniteTail = 0;
        float tailMs = 500.0f;
        // Extra controls after the three standard ones (linear, index, volt/octave).
        std::function<void(CControlList&)> extraControls;
    };

    static Setup& configure();      // the setup the next object is built with
    static RecordingPlugIn* last(); // the most recently created object
    static bool failCreation;       // createPlugInObject answers null

    RecordingPlugIn();

    bool buildControls() override;
    bool processFrame(const float* input, float* output, uint32_t numInputChannels,
                      uint32_t numOutputChannels) override;
    bool processChannelBuffers(float** inputs, float** outputs, uint32_t numChannels,
                               int32_t numFrames) override;
    bool onControlChange(int32_t controlId) override;
    bool onJoystickChange(float a, float b, float c, float d, float acMix, float bdMix) override;
    bool onMidiNoteOn(uint32_t channel, uint32_t note, uint32_t velocity) override;
    bool onMidiNoteOff(uint32_t channel, uint32_t note, uint32_t velocity,
                       bool allNotesOff) override;
    bool onMidiModWheel(uint32_t channel, uint32_t value) override;
    bool onMidiPitchBend(uint32_t channel, int32_t value, float normalized) override;
    bool onMidiClock() override;
    bool onMidiMessage(uint8_t channel, uint8_t status, uint8_t data1, uint8_t data2) override;
    void onHostMessage(int32_t type, PlugInMessage& message) override;
    bool onAuxInput(AuxInputInfo& info) override;

    // One line per call, e.g. "control 0 0.25", "noteOn 0 60 127 @frame 0".
    std::vector<std::string> log;
    int framesProcessed = 0;
    int timeMessages = 0;
    int timeMessagesWithInfo = 0;
    IMidiEventList* events = nullptr;

    float m_fLinear = 1.0f;   // 0..2
    uint32_t m_uIndex = 0;    // 0..3
    float m_fExponential = 1; // 0.25..4, volt/octave
    float m_fMeter = 0.0f;
};
