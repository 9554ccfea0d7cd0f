#include "framework/CPlugIn.h"

#include "framework/IParamUpdateQueue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// Host values are not trusted to stay inside a control's range; converting
// an out-of-range double to an integer would be undefined.
int32_t toInt32(double value)
{
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::clamp(value, lo, hi));
}

uint32_t toUint32(double value)
{
    constexpr double hi = std::numeric_limits<uint32_t>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<uint32_t>(std::clamp(value, 0.0, hi));
}

// One one-pole step; returns true when the output moved.
bool stepSmoother(float target, CControlDescriptor::SmoothingState& s)
{
    const float z = target * s.coeffB + s.state * s.coeffA;
    if (z == s.state)
        return false;
    s.state = z;
    return true;
}

bool stepSmootherDouble(float target, CControlDescriptor::SmoothingState& s)
{
    const double z = static_cast<double>(target) * s.coeffBDouble + s.stateDouble * s.coeffADouble;
    if (z == s.stateDouble)
        return false;
    s.stateDouble = z;
    return true;
}

void stepJoystickAxis(CControlDescriptor& axis)
{
    axis.joystickValue =
        stepSmoother(axis.smoothTarget, axis.smoothing) ? axis.smoothing.state : axis.smoothTarget;
}
} // namespace

CPlugIn::CPlugIn()
{
    m_joystickX.setName("MIDI JS X");
    m_joystickX.midiController = 16;
    m_joystickY.setName("MIDI JS Y");
    m_joystickY.midiController = 17;
    for (CControlDescriptor* axis : {&m_joystickX, &m_joystickY})
    {
        axis->midiStatus = 0xB0;
        axis->midiControlEnabled = false;
    }
}

CPlugIn::~CPlugIn() = default;

bool CPlugIn::prepareToProcess()
{
    collectSmoothedControls();
    for (CControlDescriptor* control : m_controls)
    {
        if (control == nullptr || !control->smoothingEnabled)
            continue;
        if (control->dataType == kDataTypeFloat && control->floatVariable != nullptr)
            prepareSmoothing(*control, m_sampleRate, *control->floatVariable);
        else if (control->dataType == kDataTypeDouble && control->doubleVariable != nullptr)
            prepareSmoothing(*control, m_sampleRate, *control->doubleVariable);
    }
    for (CControlDescriptor* axis : {&m_joystickX, &m_joystickY})
    {
        if (axis->smoothingEnabled)
            prepareSmoothing(*axis, m_sampleRate, axis->joystickValue);
    }
    return true;
}

bool CPlugIn::processFrame(const float*, float*, uint32_t, uint32_t)
{
    return true;
}
bool CPlugIn::onControlChange(int32_t)
{
    return true;
}
bool CPlugIn::postConstruct()
{
    return true;
}
bool CPlugIn::onJoystickChange(float, float, float, float, float, float)
{
    return true;
}
bool CPlugIn::processSampleBlock(const float*, float*, uint32_t, uint32_t, uint32_t)
{
    return true;
}
bool CPlugIn::processChannelBuffers(float**, float**, uint32_t, int32_t)
{
    return true;
}
bool CPlugIn::onMidiNoteOn(uint32_t, uint32_t, uint32_t)
{
    return true;
}
bool CPlugIn::onMidiNoteOff(uint32_t, uint32_t, uint32_t, bool)
{
    return true;
}
bool CPlugIn::onMidiModWheel(uint32_t, uint32_t)
{
    return true;
}
bool CPlugIn::onMidiPitchBend(uint32_t, int32_t, float)
{
    return true;
}
bool CPlugIn::onMidiClock()
{
    return true;
}
bool CPlugIn::onMidiMessage(uint8_t, uint8_t, uint8_t, uint8_t)
{
    return true;
}
bool CPlugIn::buildControls()
{
    return true;
}

void CPlugIn::onHostMessage(int32_t type, PlugInMessage& message)
{
    if (type == kHostMessageTimeInfo && message.hostTimeInfo != nullptr)
        m_hostInfo = *message.hostTimeInfo;
}

bool CPlugIn::queryLinkedControlUpdates(int32_t, float, LinkedControlUpdate**, bool)
{
    return false;
}

void CPlugIn::releaseLinkedControlUpdates(LinkedControlUpdate** list)
{
    if (list == nullptr)
        return;
    LinkedControlUpdate* node = *list;
    while (node != nullptr)
    {
        LinkedControlUpdate* next = node->next;
        delete node;
        node = next;
    }
    *list = nullptr;
}

intptr_t CPlugIn::onEditorMessage(EditorMessage&)
{
    return 0;
}
bool CPlugIn::onAuxInput(AuxInputInfo&)
{
    return true;
}
bool CPlugIn::onReserved()
{
    return true;
}

CControlDescriptor* CPlugIn::controlAt(uint32_t index) const
{
    return index < m_controls.size() ? m_controls[index] : nullptr;
}

float CPlugIn::getControlValue(uint32_t index) const
{
    const CControlDescriptor* control = controlAt(index);
    if (control == nullptr)
        return 0.0f;
    switch (control->dataType)
    {
    case kDataTypeInt:
        return control->intVariable ? static_cast<float>(*control->intVariable) : 0.0f;
    case kDataTypeFloat:
        return control->floatVariable ? *control->floatVariable : 0.0f;
    case kDataTypeDouble:
        return control->doubleVariable ? static_cast<float>(*control->doubleVariable) : 0.0f;
    case kDataTypeIndex:
        return control->indexVariable ? static_cast<float>(*control->indexVariable) : 0.0f;
    default:
        return 0.0f;
    }
}

void CPlugIn::setNormalizedControlValue(uint32_t index, float fraction, bool immediate)
{
    CControlDescriptor* control = controlAt(index);
    if (control == nullptr)
        return;
    storeValue(*control, control->plainAt(fraction), immediate, true);
}

void CPlugIn::setPlainControlValue(uint32_t index, float value)
{
    CControlDescriptor* control = controlAt(index);
    if (control == nullptr)
        return;
    storeValue(*control, value, false, false);
}

float CPlugIn::resolveControlValue(uint32_t index, float value, bool isFraction) const
{
    const CControlDescriptor* control = controlAt(index);
    if (control == nullptr)
        return 0.0f;
    const float plain = isFraction ? control->plainAt(value) : value;
    const double wide = plain;
    switch (control->dataType)
    {
    case kDataTypeInt:
        return static_cast<float>(toInt32(isFraction ? std::floor(wide + 0.5) : std::trunc(wide)));
    case kDataTypeIndex:
        return static_cast<float>(toUint32(std::floor(wide + 0.5)));
    case kDataTypeFloat:
    case kDataTypeDouble:
        return plain;
    default:
        return 0.0f;
    }
}

void CPlugIn::storeValue(CControlDescriptor& control, float value, bool immediate, bool roundInt)
{
    const double wide = value;
    switch (control.dataType)
    {
    case kDataTypeInt:
        if (control.intVariable == nullptr)
            return;
        // Stored states hold plain int values, so they are truncated, not rounded.
        *control.intVariable = toInt32(roundInt ? std::floor(wide + 0.5) : std::trunc(wide));
        onControlChange(control.controlId);
        break;
    case kDataTypeIndex:
    {
        if (control.indexVariable == nullptr)
            return;
        const uint32_t n = toUint32(std::floor(wide + 0.5));
        // Index changes can be expensive downstream (filter redesigns), so
        // only a real change is reported.
        if (n != *control.indexVariable)
        {
            *control.indexVariable = n;
            onControlChange(control.controlId);
        }
        break;
    }
    case kDataTypeFloat:
        if (control.floatVariable == nullptr)
            return;
        if (control.smoothingEnabled && !immediate)
            control.smoothTarget = value;
        else
            *control.floatVariable = value;
        onControlChange(control.controlId);
        break;
    case kDataTypeDouble:
        if (control.doubleVariable == nullptr)
            return;
        if (control.smoothingEnabled && !immediate)
            control.smoothTarget = value;
        else
            *control.doubleVariable = wide;
        onControlChange(control.controlId);
        break;
    default:
        break;
    }
}

void CPlugIn::prepareSmoothing(CControlDescriptor& control, int32_t sampleRate, double current)
{
    const float samples = static_cast<float>(sampleRate) * control.smoothingTimeMs * 0.001f;
    // A non-positive time means no smoothing rather than a diverging filter.
    const float a = samples > 0.0f ? std::exp(-6.2831855f / samples) : 0.0f;
    CControlDescriptor::SmoothingState& s = control.smoothing;
    s.coeffA = a;
    s.coeffB = 1.0f - a;
    s.coeffADouble = a;
    s.coeffBDouble = 1.0 - static_cast<double>(a);
    s.state = static_cast<float>(current);
    s.stateDouble = current;
    control.smoothTarget = static_cast<float>(current);
}

void CPlugIn::smoothControls()
{
    for (CControlDescriptor* control : m_smoothedControls)
    {
        if (!control->smoothingEnabled)
            continue;
        if (control->dataType == kDataTypeFloat && control->floatVariable != nullptr)
        {
            if (stepSmoother(control->smoothTarget, control->smoothing))
            {
                *control->floatVariable = control->smoothing.state;
                onControlChange(control->controlId);
            }
            else
            {
                *control->floatVariable = control->smoothTarget;
            }
        }
        else if (control->dataType == kDataTypeDouble && control->doubleVariable != nullptr)
        {
            if (stepSmootherDouble(control->smoothTarget, control->smoothing))
            {
                *control->doubleVariable = control->smoothing.stateDouble;
                onControlChange(control->controlId);
            }
            else
            {
                *control->doubleVariable = control->smoothTarget;
            }
        }
    }

    if (!joystickSmoothed())
        return;
    // An axis without smoothing keeps the value it was set to.
    if (m_joystickX.smoothingEnabled)
        stepJoystickAxis(m_joystickX);
    if (m_joystickY.smoothingEnabled)
        stepJoystickAxis(m_joystickY);
    reportJoystick();
}

void CPlugIn::applyQueuedControlValues()
{
    // Queues exist only in sample-accurate mode; this runs every frame.
    if (m_sampleAccurate == 0)
        return;
    const uint32_t count =
        std::min<uint32_t>(m_controlCount, static_cast<uint32_t>(m_controls.size()));
    for (uint32_t i = 0; i < count; ++i)
    {
        CControlDescriptor* control = m_controls[i];
        if (control == nullptr || control->updateQueue == nullptr)
            continue;
        double value = 0.0;
        if (control->updateQueue->nextValue(value))
            setNormalizedControlValue(i, static_cast<float>(value), true);
    }
}

void CPlugIn::setJoystickX(float x, bool orientation)
{
    if (m_joystickX.smoothingEnabled)
        m_joystickX.smoothTarget = x;
    else
        m_joystickX.joystickValue = x;
    m_joystickX.joystickOrientation = orientation;
    // With smoothing the next smoothing step reports the mix.
    if (joystickSmoothed())
        return;
    reportJoystick();
}

void CPlugIn::setJoystickY(float y, bool orientation)
{
    if (m_joystickY.smoothingEnabled)
        m_joystickY.smoothTarget = y;
    else
        m_joystickY.joystickValue = y;
    m_joystickY.joystickOrientation = orientation;
    if (joystickSmoothed())
        return;
    reportJoystick();
}

void CPlugIn::getJoystick(float& x, float& y) const
{
    x = m_joystickX.joystickValue;
    y = m_joystickY.joystickValue;
}

void CPlugIn::reportJoystick()
{
    double a = 0, b = 0, c = 0, d = 0, acMix = 0, bdMix = 0;
    computeVectorMix(m_joystickX.joystickValue, m_joystickY.joystickValue, a, b, c, d, acMix, bdMix,
                     m_joystickX.joystickOrientation);
    onJoystickChange(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                     static_cast<float>(d), static_cast<float>(acMix), static_cast<float>(bdMix));
}

void CPlugIn::computeVectorMix(double x, double y, double& a, double& b, double& c, double& d,
                               double& acMix, double& bdMix, bool orientation)
{
    constexpr double r = 1.41421356;

    const double u = orientation ? x : (x - y) / r / r;
    const double v = orientation ? y : (x + y) / r / r;
    acMix = (u + 1.0) * 0.5;
    bdMix = (v + 1.0) * 0.5;

    const double xr = orientation ? (x * r + y * r) / r : x;
    const double yr = orientation ? (y * r - x * r) / r : y;

    const double e = std::clamp(xr * 127.0, -128.0, 127.0) + 127.0;
    const double f = std::clamp(yr * 127.0, -128.0, 127.0) + 127.0;

    if (e == 127.0 && f == 127.0)
    {
        a = b = c = d = 0.25;
        return;
    }

    b = e * f / 645.0;
    c = e * (255.0 - f) / 645.0;
    d = (255.0 - e) * (255.0 - f) / 645.0;
    a = (100.0 - b - c - d) / 100.0;
    b /= 100.0;
    c /= 100.0;
    d /= 100.0;
    for (double* w : {&a, &b, &c, &d})
        *w = std::max(std::min(*w, 1.0), 0.0);
}

void CPlugIn::indexControls()
{
    const uint32_t count = m_controlList.count();
    m_controls.assign(count, nullptr);
    for (uint32_t i = 0; i < count; ++i)
        m_controls[i] = m_controlList.get(i);
    m_controlCount = count;
    collectSmoothedControls();
}

void CPlugIn::collectSmoothedControls()
{
    m_smoothedControls.clear();
    for (CControlDescriptor* control : m_controls)
        if (control != nullptr && control->smoothingEnabled)
            m_smoothedControls.push_back(control);
}
