#pragma once

#include "framework/AuxInputInfo.h"
#include "framework/CControlDescriptor.h"
#include "framework/CControlList.h"
#include "framework/HostTimeInfo.h"
#include "framework/LinkedControlUpdate.h"
#include "framework/PlugInMessage.h"

#include <cstdint>
#include <vector>

struct EditorMessage;

// Control ids the host adapter passes to onControlChange for the three
// assignable buttons.
constexpr int32_t kButtonControlId1 = 50;
constexpr int32_t kButtonControlId2 = 51;
constexpr int32_t kButtonControlId3 = 52;

constexpr int kNumButtons = 3;

// Base of the DSP plug-in object: the contract between the concrete object,
// the host adapter and the editor. It owns the control descriptors, binds
// them to the object's member variables and converts values on the way in.
// Nothing here knows the host interface.
class CPlugIn
{
public:
    CPlugIn();
    CPlugIn(const CPlugIn&) = delete;
    CPlugIn& operator=(const CPlugIn&) = delete;

    // The order of these operations is part of the contract; append, never
    // reorder.
    virtual ~CPlugIn();
    // Called after m_sampleRate was written; overrides finish by calling this.
    virtual bool prepareToProcess();
    virtual bool processFrame(const float* input, float* output, uint32_t numInputChannels,
                              uint32_t numOutputChannels);
    virtual bool onControlChange(int32_t controlId);
    virtual bool postConstruct();
    virtual bool onJoystickChange(float a, float b, float c, float d, float acMix, float bdMix);
    virtual bool processSampleBlock(const float* input, float* output, uint32_t numInputChannels,
                                    uint32_t numOutputChannels, uint32_t numSamples);
    virtual bool processChannelBuffers(float** inputs, float** outputs, uint32_t numChannels,
                                       int32_t numFrames);
    virtual bool onMidiNoteOn(uint32_t channel, uint32_t note, uint32_t velocity);
    virtual bool onMidiNoteOff(uint32_t channel, uint32_t note, uint32_t velocity,
                               bool allNotesOff);
    virtual bool onMidiModWheel(uint32_t channel, uint32_t value);
    virtual bool onMidiPitchBend(uint32_t channel, int32_t value, float normalized);
    virtual bool onMidiClock();
    virtual bool onMidiMessage(uint8_t channel, uint8_t status, uint8_t data1, uint8_t data2);
    virtual bool buildControls();
    virtual void onHostMessage(int32_t type, PlugInMessage& message);
    // fromHost: true after a program change or state restore, false from the editor.
    virtual bool queryLinkedControlUpdates(int32_t controlId, float value,
                                           LinkedControlUpdate** list, bool fromHost);
    // Frees every node and sets *list to null.
    virtual void releaseLinkedControlUpdates(LinkedControlUpdate** list);
    // 0: no view of its own.
    virtual intptr_t onEditorMessage(EditorMessage& message);
    virtual bool onAuxInput(AuxInputInfo& info);
    virtual bool onReserved();

    // Services. Each does nothing for a position without a descriptor and
    // for data types other than int, float, double and index.
    float getControlValue(uint32_t index) const;
    // fraction: the linear 0..1 position in the control's range, which the
    // host adapter derives from the host's (tapered) normalized value.
    // immediate: bypass smoothing (sample-accurate values).
    void setNormalizedControlValue(uint32_t index, float fraction, bool immediate);
    void setPlainControlValue(uint32_t index, float value);
    // The value getControlValue reports once the value is set (isFraction:
    // through setNormalizedControlValue, else setPlainControlValue); for a
    // smoothed control, where it is heading. Changes nothing.
    float resolveControlValue(uint32_t index, float value, bool isFraction) const;

    // Joystick coordinates run from -1 to +1.
    void setJoystickX(float x, bool orientation);
    void setJoystickY(float y, bool orientation);
    void getJoystick(float& x, float& y) const;

    // Per sample frame, on the audio thread; neither allocates. Queued values
    // apply only in sample-accurate mode (m_sampleAccurate), the only mode in
    // which the adapter hands out queues; smoothing covers the controls that
    // had smoothingEnabled at the last prepareToProcess.
    void applyQueuedControlValues();
    void smoothControls();

    // The joystick mixing rule: four corner weights a..d and two axis mixes.
    static void computeVectorMix(double x, double y, double& a, double& b, double& c, double& d,
                                 double& acMix, double& bdMix, bool orientation);

    // Public state read and written by the host adapter and the editor.
    const char* m_name = "Name Not Set.";
    bool m_outputOnly = false;
    bool m_wantsAllMidi = false;
    bool m_processesBuffers = false;
    int32_t m_numChannels = 2;
    int32_t m_sampleRate = 44100;
    int32_t m_bitDepth = 16;
    bool m_usesEditorDescription = false;
    const char* m_presetNames[kNumPresets] = {}; // null or empty: no preset
    const char* m_buttonNames[kNumButtons] = {"B1", "B2", "B3"};
    int32_t m_editorOption = 0; // knob mode: 0 circular, 1 relative circular, 2 linear, 3 host
    int32_t m_infiniteTail = 0;
    int32_t m_wantsSidechain = 0;
    int32_t m_sampleAccurate = 0;
    int32_t m_sampleAccuracyGranularity = 0;
    float m_latencySamples = 0.0f;
    float m_tailMilliseconds = 0.0f;
    CControlDescriptor m_joystickX;
    CControlDescriptor m_joystickY;
    HostTimeInfo m_hostInfo;
    // Entry i points at m_controlList entry i; empty until the controls are built.
    std::vector<CControlDescriptor*> m_controls;
    uint32_t m_controlCount = 0;
    CControlList m_controlList;

protected:
    // Builds m_controls and m_controlCount from m_controlList.
    void indexControls();

private:
    CControlDescriptor* controlAt(uint32_t index) const;
    void collectSmoothedControls();
    void storeValue(CControlDescriptor& control, float value, bool immediate, bool roundInt);
    static void prepareSmoothing(CControlDescriptor& control, int32_t sampleRate, double current);
    void reportJoystick();
    bool joystickSmoothed() const
    {
        return m_joystickX.smoothingEnabled || m_joystickY.smoothingEnabled;
    }

    // The smoothed entries of m_controls, so the per-frame step skips the rest.
    std::vector<CControlDescriptor*> m_smoothedControls;
};

// Supplied with the concrete DSP class: a new object, or null when it cannot
// be allocated.
CPlugIn* createPlugInObject();
