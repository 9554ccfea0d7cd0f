#include "RecordingPlugIn.h"

bool RecordingPlugIn::failCreation = false;
RecordingPlugIn* RecordingPlugIn::last = nullptr;

namespace
{
CControlDescriptor control(int32_t position, const char* name, float lo, float hi)
{
    CControlDescriptor d;
    d.controlType = kControlTypeUser;
    d.controlId = 10 + position;
    d.controlIndex = position;
    d.minValue = lo;
    d.maxValue = hi;
    d.dataType = kDataTypeFloat;
    d.setName(name);
    return d;
}
} // namespace

RecordingPlugIn::RecordingPlugIn()
{
    CControlDescriptor level = control(0, "Level", 0.0f, 10.0f);
    level.floatVariable = &m_fLevel;
    level.presetValues[0] = 2.5;
    level.presetValues[1] = 10.0;
    m_controlList.append(level);

    CControlDescriptor mode = control(1, "Mode", 0.0f, 3.0f);
    mode.dataType = kDataTypeIndex;
    mode.indexVariable = &m_uMode;
    mode.setEnumeration("A,B,C,D");
    mode.presetValues[0] = 3;
    mode.presetValues[1] = 1;
    m_controlList.append(mode);

    CControlDescriptor pitch = control(2, "Pitch", 1.0f, 16.0f);
    pitch.floatVariable = &m_fPitch;
    pitch.voltOctaveTaper = true;
    pitch.presetValues[0] = 4.0;
    pitch.presetValues[1] = 16.0;
    m_controlList.append(pitch);

    CControlDescriptor drive = control(3, "Drive", 0.0f, 1.0f);
    drive.floatVariable = &m_fDrive;
    drive.logTaper = true;
    drive.presetValues[0] = 0.25;
    drive.presetValues[1] = 1.0;
    m_controlList.append(drive);

    m_joystickX.presetValues[0] = 1.0;
    m_joystickY.presetValues[0] = 0.0;
    m_joystickX.presetValues[1] = 0.0;
    m_joystickY.presetValues[1] = 1.0;
    m_presetNames[0] = "One";
    m_presetNames[1] = "Two";
    indexControls();
}

intptr_t RecordingPlugIn::onEditorMessage(EditorMessage& message)
{
    messages.push_back({message.message, message.parameterIndex, message.parameterValue, &message,
                        message.customViewName ? message.customViewName : "(null)",
                        message.extraText ? message.extraText : "(null)"});
    return 0;
}

bool RecordingPlugIn::onControlChange(int32_t controlId)
{
    changes.push_back(controlId);
    return true;
}

bool RecordingPlugIn::queryLinkedControlUpdates(int32_t controlId, float,
                                                LinkedControlUpdate** list, bool fromHost)
{
    ++linkedQueries;
    if (!linkLevelToMode || controlId != 10 || !fromHost)
        return false;
    *list = new LinkedControlUpdate{11, 2.0f, nullptr};
    return true;
}

CPlugIn* createPlugInObject()
{
    if (RecordingPlugIn::failCreation)
        return nullptr;
    RecordingPlugIn::last = new RecordingPlugIn;
    return RecordingPlugIn::last;
}
