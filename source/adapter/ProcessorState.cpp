// State persistence, factory presets and the messages the processor relays
// from the editor side to the plug-in object.
//
// State stream, little-endian:
//   int64    version: 1 when written; any non-zero value means the joystick
//            fields follow
//   per control, in control-list order, by the control's data type:
//            int -> int32 (truncated), float -> float32, double -> float64,
//            index -> uint32 (truncated); other data types write nothing
//   int16    bypass (non-zero: bypassed)
//   float32  joystick X, float32 joystick Y (bipolar, -1..1)
//
// A stored state comes from outside. On reading, a finite value is clamped
// into its control's range (joystick: -1..1); a NaN or infinite value leaves
// that control as it was, the rest is still read and the call answers
// kResultFalse. A stream that ends early applies the fields before the cut,
// leaves the others (bypass included) as they were and answers kResultFalse.
#include "adapter/Processor.h"
#include "adapter/Taper.h"
#include "framework/CPlugIn.h"
#include "framework/ForEachLinkedUpdate.h"

#include "base/source/fstreamer.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace Zeri2VST3
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

constexpr int64 kStateVersion = 1;

enum class FieldRead
{
    None, // the data type has no field
    Done,
    Failed,
};

FieldRead readControlField(IBStreamer& stream, int32 dataType, double& value)
{
    switch (dataType)
    {
    case kDataTypeInt:
    {
        int32 v = 0;
        if (!stream.readInt32(v))
            return FieldRead::Failed;
        value = v;
        return FieldRead::Done;
    }
    case kDataTypeFloat:
    {
        float v = 0.0f;
        if (!stream.readFloat(v))
            return FieldRead::Failed;
        value = static_cast<double>(v);
        return FieldRead::Done;
    }
    case kDataTypeDouble:
    {
        double v = 0.0;
        if (!stream.readDouble(v))
            return FieldRead::Failed;
        value = v;
        return FieldRead::Done;
    }
    case kDataTypeIndex:
    {
        uint32 v = 0;
        if (!stream.readInt32u(v))
            return FieldRead::Failed;
        value = v;
        return FieldRead::Done;
    }
    default:
        return FieldRead::None;
    }
}

// Truncation toward zero that stays defined for values beyond the target type.
template <typename Int>
Int truncated(float value)
{
    if (std::isnan(value))
        return 0;
    const double wide = std::trunc(static_cast<double>(value));
    return static_cast<Int>(std::clamp(wide, static_cast<double>(std::numeric_limits<Int>::min()),
                                       static_cast<double>(std::numeric_limits<Int>::max())));
}

bool writeControlField(IBStreamer& stream, int32 dataType, float value)
{
    switch (dataType)
    {
    case kDataTypeInt:
        return stream.writeInt32(truncated<int32>(value));
    case kDataTypeFloat:
        return stream.writeFloat(value);
    case kDataTypeDouble:
        return stream.writeDouble(static_cast<double>(value));
    case kDataTypeIndex:
        return stream.writeInt32u(truncated<uint32>(value));
    default:
        return true;
    }
}

// The value a control may take for a value from outside; false when there is none.
bool boundedValue(const CControlDescriptor& control, double value, float& bounded)
{
    if (!std::isfinite(value))
        return false;
    const auto lo = static_cast<double>(std::min(control.minValue, control.maxValue));
    const auto hi = static_cast<double>(std::max(control.minValue, control.maxValue));
    bounded = static_cast<float>(std::clamp(value, lo, hi));
    return true;
}

bool boundedJoystick(float value, float& bounded)
{
    if (!std::isfinite(value))
        return false;
    bounded = std::clamp(value, -1.0f, 1.0f);
    return true;
}

// Reads one field per control in list order and hands every valid one, in its
// control's range, to apply(index, value). A non-finite field is skipped and
// clears allValid; answers false when the stream ends early.
template <typename Apply>
bool readControlFields(IBStreamer& stream, const CControlList& controls, bool& allValid,
                       Apply apply)
{
    for (uint32 i = 0; i < controls.count(); ++i)
    {
        const CControlDescriptor* control = controls.get(i);
        if (!control)
            continue;
        double value = 0.0;
        const FieldRead read = readControlField(stream, control->dataType, value);
        if (read == FieldRead::Failed)
            return false;
        if (read == FieldRead::None)
            continue;
        float bounded = 0.0f;
        if (boundedValue(*control, value, bounded))
            apply(i, bounded);
        else
            allValid = false;
    }
    return true;
}

} // namespace

tresult PLUGIN_API Processor::getState(IBStream* state)
{
    if (!plugIn || !state)
        return kResultFalse;
    IBStreamer stream(state, kLittleEndian);
    if (!stream.writeInt64(kStateVersion))
        return kResultFalse;
    const uint32 count = plugIn->m_controlList.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const CControlDescriptor* control = plugIn->m_controlList.get(i);
        if (control && !writeControlField(stream, control->dataType, handover.savedValue(i)))
            return kResultFalse;
    }
    const int edit = bypassEdit.load(std::memory_order_relaxed);
    const bool bypassed = edit == kNoEdit ? isBypassed() : edit != 0;
    if (!stream.writeInt16(bypassed ? 1 : 0))
        return kResultFalse;
    float x = 0.0f;
    float y = 0.0f;
    handover.savedJoystick(x, y);
    if (!stream.writeFloat(x) || !stream.writeFloat(y))
        return kResultFalse;
    return kResultOk;
}

tresult PLUGIN_API Processor::setState(IBStream* state)
{
    if (!plugIn || !state)
        return kResultFalse;
    IBStreamer stream(state, kLittleEndian);
    int64 version = 0;
    if (!stream.readInt64(version))
        return kResultFalse;

    bool allValid = true;
    if (!readControlFields(stream, plugIn->m_controlList, allValid,
                           [this](uint32 i, float value)
                           {
                               Parameter* parameter = parameters.getParameter(i);
                               const double hostValue =
                                   parameter ? parameter->toNormalized(static_cast<double>(value))
                                             : std::numeric_limits<double>::quiet_NaN();
                               handover.setControl(i, value, ControlHandover::Kind::Plain,
                                                   hostValue);
                           }))
        return kResultFalse;

    int16 bypassField = 0;
    if (!stream.readInt16(bypassField))
        return kResultFalse;
    bypass.store(bypassField != 0, std::memory_order_relaxed);
    bypassEdit.store(kNoEdit, std::memory_order_relaxed);

    if (version != 0)
    {
        float x = 0.0f;
        float y = 0.0f;
        handover.joystick(x, y);
        float field = 0.0f;
        if (!stream.readFloat(field))
            return kResultFalse;
        allValid = boundedJoystick(field, x) && allValid;
        const bool readY = stream.readFloat(field);
        if (readY)
            allValid = boundedJoystick(field, y) && allValid;
        handover.setJoystick(x, y, true);
        if (!readY)
            return kResultFalse;
    }
    return allValid ? kResultOk : kResultFalse;
}

tresult PLUGIN_API Processor::setComponentState(IBStream* state)
{
    if (!plugIn || !state)
        return kResultFalse;
    IBStreamer stream(state, kLittleEndian);
    int64 version = 0;
    if (!stream.readInt64(version))
        return kResultFalse;

    bool allValid = true;
    if (!readControlFields(stream, plugIn->m_controlList, allValid,
                           [this](uint32 i, float value)
                           {
                               if (Parameter* parameter = parameters.getParameter(i))
                                   storeParameter(
                                       i, parameter->toNormalized(static_cast<double>(value)));
                           }))
        return kResultFalse;

    int16 bypassField = 0;
    if (!stream.readInt16(bypassField))
        return kResultFalse;
    if (Parameter* parameter = parameters.getParameter(kBypassId))
        storeParameter(kBypassId, parameter->toNormalized(bypassField != 0 ? 1.0 : 0.0));

    if (static_cast<uint64>(version) >= 1)
    {
        for (const ParamID id : {kJoystickXId, kJoystickYId})
        {
            float field = 0.0f;
            if (!stream.readFloat(field))
                return kResultFalse;
            float bipolar = 0.0f;
            if (!boundedJoystick(field, bipolar))
            {
                allValid = false;
                continue;
            }
            if (Parameter* parameter = parameters.getParameter(id))
                storeParameter(id,
                               parameter->toNormalized(static_cast<double>(bipolar) * 0.5 + 0.5));
        }
    }
    refreshLinkedControls();
    return allValid ? kResultOk : kResultFalse;
}

tresult PLUGIN_API Processor::setParamNormalized(ParamID id, ParamValue value)
{
    // NaN has no place in a parameter and cannot select a preset.
    if (std::isnan(value))
        return kResultFalse;
    const tresult result = storeParameter(id, value);
    notifyParameterChanged(id, std::clamp(value, 0.0, 1.0));
    if (result == kResultOk && id == kPresetParamId)
        loadFactoryPreset();
    else if (result == kResultOk)
        noteHostEdit(id, getParamNormalized(id));
    return result;
}

void Processor::noteHostEdit(ParamID id, ParamValue value)
{
    if (id == kBypassId)
    {
        bypassEdit.store(value != 0.0 ? 1 : 0, std::memory_order_relaxed);
        return;
    }
    if (id == kJoystickXId || id == kJoystickYId)
    {
        handover.hostEditedJoystick(id == kJoystickXId, static_cast<float>(2.0 * value - 1.0));
        return;
    }
    const CControlDescriptor* control = plugIn ? plugIn->m_controlList.get(id) : nullptr;
    if (control && parameters.getParameter(id))
        handover.hostEdited(id, Taper::controlFraction(*control, value));
}

tresult Processor::storeParameter(ParamID id, ParamValue value)
{
    const tresult result = EditController::setParamNormalized(id, value);
    // A preset's report not yet sent tells the host the values it has now.
    presetReport.set(id, getParamNormalized(id));
    return result;
}

void Processor::notifyParameterChanged(ParamID id, ParamValue value)
{
    if (!plugIn)
        return;
    EditorMessage message{};
    message.message = kGuiParameterChanged;
    message.parameterValue = value;
    message.parameterIndex = static_cast<int32>(id);
    plugIn->onEditorMessage(message);
}

void Processor::loadFactoryPreset()
{
    Parameter* presets = presetParameter();
    if (!plugIn || !presets)
        return;
    // Only the listed presets exist, whatever value the host stored.
    const int32 listed = static_cast<int32>(presets->toPlain(1.0)) + 1;
    const int32 last = std::min(listed, kNumPresets) - 1;
    const auto p = std::clamp(static_cast<int32>(presets->toPlain(presets->getNormalized())), 0,
                              std::max(last, 0));

    const uint32 count = plugIn->m_controlList.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const CControlDescriptor* control = plugIn->m_controlList.get(i);
        float plain = 0.0f;
        // A preset value outside the range is held to it, so that the state
        // saved after a preset load restores to the same values.
        if (!control || !boundedValue(*control, control->presetValues[p], plain))
            continue;
        const double normalized = Taper::controlNormalized(*control, plain);
        handover.setControl(i, control->fractionOf(plain), ControlHandover::Kind::Fraction,
                            normalized);
        storeParameter(i, normalized);
        notifyParameterChanged(i, normalized);
    }

    const double x0 = plugIn->m_joystickX.presetValues[p];
    const double y0 = plugIn->m_joystickY.presetValues[p];
    if (std::isfinite(x0) && std::isfinite(y0))
    {
        const double ex = std::clamp((x0 - y0) / 1.41421356 / 1.414, -1.0, 1.0);
        const double ey = std::clamp((x0 + y0) / 1.41421356 / 1.414, -1.0, 1.0);
        handover.setJoystick(static_cast<float>(ex), static_cast<float>(ey), true);
        for (const auto& [id, value] : {std::pair{kJoystickXId, ex}, std::pair{kJoystickYId, ey}})
        {
            storeParameter(id, value * 0.5 + 0.5);
            notifyParameterChanged(id, value * 0.5 + 0.5);
        }
    }
    presetReport.publish();

    // The host may hold its own locks around this call: it learns of the
    // new values once the call has returned.
    notifier->connect(getHostContext());
    notifier->requestRestart(kParamValuesChanged);
    refreshLinkedControls();
}

void Processor::refreshLinkedControls()
{
    const uint32 count = plugIn->m_controlList.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const CControlDescriptor* control = plugIn->m_controlList.get(i);
        if (!control)
            continue;
        const ParamValue plain = normalizedParamToPlain(i, getParamNormalized(i));
        forEachLinkedUpdate(*plugIn, plugIn->m_controlList, control->controlId,
                            static_cast<float>(plain), true,
                            [this](ParamID id, float linkedPlain)
                            {
                                const ParamValue normalized =
                                    plainParamToNormalized(id, static_cast<double>(linkedPlain));
                                if (setParamNormalized(id, normalized) == kResultOk)
                                    notifier->requestEdit(id);
                            });
    }
}

void Processor::prepareEditorLifecycleMessage(int32 code)
{
    guiMessage.message = code;
    guiMessage.customViewName = "";
    guiMessage.extraText = "";
    guiMessage.controlListener = nullptr;
    guiMessage.editor = nullptr;
    guiMessage.ownEditor = false;
}

tresult Processor::receiveText(const char* text)
{
    if (!plugIn || !text)
        return kResultOk;
    if (std::strcmp(text, "VSTGUITimerPing") == 0)
    {
        // The editor's timer runs on the main thread outside any host call.
        notifier->deliver();
        guiMessage.message = kGuiTimerPing;
        plugIn->onEditorMessage(guiMessage);
    }
    else if (std::strcmp(text, "RecreateView") == 0)
    {
        prepareEditorLifecycleMessage(kGuiEditorOpened);
        plugIn->onEditorMessage(guiMessage);
    }
    return kResultOk;
}

} // namespace Zeri2VST3
