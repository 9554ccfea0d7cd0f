#include "RecordingPlugIn.h"

#include "framework/IMidiEventList.h"

#include <new>
#include <sstream>

namespace
{
RecordingPlugIn::Setup setup;
RecordingPlugIn* newest = nullptr;

// "name a b c": numbers printed as %g prints them.
template <typename... Numbers>
std::string entry(const char* name, Numbers... numbers)
{
    std::ostringstream out;
    out << name;
    ((out << ' ' << static_cast<double>(numbers)), ...);
    return out.str();
}
} // namespace

bool RecordingPlugIn::failCreation = false;

RecordingPlugIn::Setup& RecordingPlugIn::configure()
{
    return setup;
}

RecordingPlugIn* RecordingPlugIn::last()
{
    return newest;
}

RecordingPlugIn::RecordingPlugIn()
{
    m_outputOnly = setup.outputOnly;
    m_processesBuffers = setup.processesBuffers;
    m_wantsAllMidi = setup.wantsAllMidi;
    m_wantsSidechain = setup.wantsSidechain;
    m_infiniteTail = setup.infiniteTail;
    m_tailMilliseconds = setup.tailMs;
    buildControls();
    newest = this;
}

bool RecordingPlugIn::buildControls()
{
    if (!m_controlList.empty())
        return true;
    CControlDescriptor linear;
    linear.controlType = kControlTypeUser;
    linear.controlId = 0;
    linear.minValue = 0.0f;
    linear.maxValue = 2.0f;
    linear.dataType = kDataTypeFloat;
    linear.floatVariable = &m_fLinear;
    linear.precision = 2;
    linear.setName("Linear");
    m_controlList.append(linear);

    CControlDescriptor index;
    index.controlType = kControlTypeUser;
    index.controlId = 1;
    index.minValue = 0.0f;
    index.maxValue = 3.0f;
    index.dataType = kDataTypeIndex;
    index.indexVariable = &m_uIndex;
    index.setName("Index");
    index.setEnumeration("SWITCH_OFF,SWITCH_ON,A,B");
    m_controlList.append(index);

    CControlDescriptor exponential = linear;
    exponential.controlId = 2;
    exponential.minValue = 0.25f;
    exponential.maxValue = 4.0f;
    exponential.floatVariable = &m_fExponential;
    exponential.voltOctaveTaper = true;
    exponential.setName("Exponential");
    m_controlList.append(exponential);

    CControlDescriptor meter;
    meter.controlType = kControlTypeMeter;
    meter.controlId = 3;
    meter.minValue = 0.0f;
    meter.maxValue = 1.0f;
    meter.dataType = kDataTypeFloat;
    meter.floatVariable = &m_fMeter;
    meter.meterVariable = &m_fMeter;
    meter.setName("Meter");
    m_controlList.append(meter);

    if (setup.extraControls)
        setup.extraControls(m_controlList);
    if (setup.presets)
        m_presetNames[0] = "Only";
    indexControls();
    return true;
}

bool RecordingPlugIn::processFrame(const float* input, float* output, uint32_t numInputChannels,
                                   uint32_t numOutputChannels)
{
    // Output = 2 x input, so a test can tell processed frames from bypassed ones.
    output[0] = 2.0f * input[0];
    output[1] = 2.0f * input[1];
    m_fMeter = 0.5f;
    if (framesProcessed == 0)
        log.push_back("frame0 in=" + std::to_string(numInputChannels) +
                      " out=" + std::to_string(numOutputChannels));
    ++framesProcessed;
    return true;
}

bool RecordingPlugIn::processChannelBuffers(float** inputs, float** outputs, uint32_t numChannels,
                                            int32_t numFrames)
{
    for (int32_t i = 0; i < numFrames; ++i)
    {
        if (events)
            events->fireMidiEvents(static_cast<uint32_t>(i));
        for (uint32_t c = 0; c < numChannels; ++c)
            outputs[c][i] = 3.0f * inputs[c][i];
        ++framesProcessed;
    }
    return true;
}

bool RecordingPlugIn::onControlChange(int32_t controlId)
{
    const float value = controlId < 4 ? getControlValue(static_cast<uint32_t>(controlId)) : 0.0f;
    log.push_back(entry("control", controlId, value));
    return true;
}

bool RecordingPlugIn::onJoystickChange(float a, float b, float c, float d, float, float)
{
    log.push_back(entry("joystick", a, b, c, d));
    return true;
}

bool RecordingPlugIn::onMidiNoteOn(uint32_t channel, uint32_t note, uint32_t velocity)
{
    log.push_back(entry("noteOn", channel, note, velocity) + " @" +
                  std::to_string(framesProcessed));
    return true;
}

bool RecordingPlugIn::onMidiNoteOff(uint32_t channel, uint32_t note, uint32_t velocity,
                                    bool allNotesOff)
{
    log.push_back(entry("noteOff", channel, note, velocity, allNotesOff));
    return true;
}

bool RecordingPlugIn::onMidiModWheel(uint32_t channel, uint32_t value)
{
    log.push_back(entry("modWheel", channel, value));
    return true;
}

bool RecordingPlugIn::onMidiPitchBend(uint32_t channel, int32_t value, float normalized)
{
    log.push_back(entry("pitchBend", channel, value, normalized));
    return true;
}

bool RecordingPlugIn::onMidiClock()
{
    log.push_back("clock");
    return true;
}

bool RecordingPlugIn::onMidiMessage(uint8_t channel, uint8_t status, uint8_t data1, uint8_t data2)
{
    log.push_back(entry("midi", channel, status, data1, data2));
    return true;
}

void RecordingPlugIn::onHostMessage(int32_t type, PlugInMessage& message)
{
    CPlugIn::onHostMessage(type, message);
    if (type == kHostMessageTimeInfo)
    {
        ++timeMessages;
        if (message.hostTimeInfo)
            ++timeMessagesWithInfo;
    }
    if (type == kHostMessageMidiEventList)
        events = message.midiEventList;
}

bool RecordingPlugIn::onAuxInput(AuxInputInfo& info)
{
    if (framesProcessed == 0)
        log.push_back("aux channels=" + std::to_string(info.channelCount) +
                      " frame=" + std::to_string(info.frame != nullptr) +
                      " buffers=" + std::to_string(info.buffers != nullptr));
    return true;
}

CPlugIn* createPlugInObject()
{
    if (RecordingPlugIn::failCreation)
        return nullptr;
    return new (std::nothrow) RecordingPlugIn;
}
