#include "editor/VST3EditorQX.h"

#include "editor/ViewTreeText.h"
#include "framework/CPlugIn.h"
#include "framework/ForEachLinkedUpdate.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CButtonState.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CVSTGUITimer.h"
#include "vstgui/plugin-bindings/ParameterChangeListener.h"
#include "vstgui/plugin-bindings/StringConvert.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

VST3EditorQX::VST3EditorQX(EditController* editController, UTF8StringPtr name,
                           UTF8StringPtr xmlFile)
    : VST3Editor(editController, name, xmlFile)
{
    setIdleRate(50);
}

void VST3EditorQX::setPlugIn(CPlugIn* object)
{
    plugIn = object;
    if (!plugIn)
        return;
    for (uint32_t i = 0; i < plugIn->m_controlList.count(); ++i)
        if (const CControlDescriptor* descriptor = plugIn->m_controlList.get(i))
            descriptorCopies.append(*descriptor);
}

int32_t VST3EditorQX::getKnobMode() const
{
    switch (knobMode)
    {
    case 0:
        return VSTGUI::kCircularMode;
    case 1:
        return VSTGUI::kRelativCircularMode;
    case 2:
        return VSTGUI::kLinearMode;
    case 3:
        switch (EditController::getHostKnobMode())
        {
        case Vst::kCircularMode:
            return VSTGUI::kCircularMode;
        case Vst::kRelativCircularMode:
            return VSTGUI::kRelativCircularMode;
        default:
            return VSTGUI::kLinearMode;
        }
    default:
        return VSTGUI::kLinearMode;
    }
}

// The panel has one fixed size; nothing to negotiate with the host.
bool VST3EditorQX::beforeSizeChange(const CRect&, const CRect&)
{
    return true;
}

CMessageResult VST3EditorQX::notify(CBaseObject* sender, IdStringPtr message)
{
    const bool tick = message == CVSTGUITimer::kMsgTimer;
    if (tick && controller)
    {
        controller->receiveText("VSTGUITimerPing");
        // Meters follow their parameters only through this redraw.
        if (frame)
            frame->invalid();
    }
    const bool rebuildPending = isRebuildPending();
    const CMessageResult result = VST3Editor::notify(sender, message);
    // The library rebuilds only on a tick; a rebuilt view is a newly opened one.
    if (tick && rebuildPending && controller)
        controller->receiveText("RecreateView");
    return result;
}

void VST3EditorQX::valueChanged(CControl* control)
{
    ParameterChangeListener* listener = getParameterChangeListener(control->getTag());
    if (listener)
    {
        ParamValue value = control->getValueNormalized();
        if (auto* edit = dynamic_cast<CTextEdit*>(control); edit && listener->getParameter())
        {
            String128 text{};
            StringConvert::toUTF16(edit->getText(), text, 128);
            if (controller->getParamValueByString(listener->getParameterID(), text, value) !=
                kResultTrue)
            {
                listener->update(nullptr, IDependent::kChanged);
                return;
            }
        }
        listener->performEdit(value);
        readout.update(control, displayText(control));
    }
    if (!plugIn || !controller || control->getTag() < 0)
        return;
    const auto tag = static_cast<ParamID>(control->getTag());
    const ParamValue plain = controller->normalizedParamToPlain(tag, control->getValueNormalized());
    const CControlDescriptor* descriptor = plugIn->m_controlList.get(tag);
    if (!descriptor)
        return;
    forEachLinkedUpdate(
        *plugIn, descriptorCopies, descriptor->controlId, static_cast<float>(plain), false,
        [this](ParamID id, float linkedPlain)
        {
            const ParamValue normalized = controller->plainParamToNormalized(id, linkedPlain);
            controller->setParamNormalized(id, normalized);
            controller->performEdit(id, normalized);
        });
}

void VST3EditorQX::controlBeginEdit(CControl* control)
{
    VST3Editor::controlBeginEdit(control);
    if (dynamic_cast<CAnimKnob*>(control))
        if (const std::string text = displayText(control); !text.empty())
            readout.show(control, text);
}

void VST3EditorQX::controlEndEdit(CControl* control)
{
    VST3Editor::controlEndEdit(control);
    readout.hide();
}

std::string VST3EditorQX::displayText(CControl* control) const
{
    ParameterChangeListener* listener = getParameterChangeListener(control->getTag());
    if (!listener)
        return {};
    std::string text = listener->valueString(listener->getParameter()->getNormalized());
    const std::string units = StringConvert::toUTF8(listener->getParameter()->getInfo().units, 128);
    if (!units.empty())
        text += " " + units;
    return text;
}

tresult PLUGIN_API VST3EditorQX::openOffscreen()
{
    return open(nullptr) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3EditorQX::closeOffscreen()
{
    if (!frame || isAttached())
        return kResultFalse;
    close();
    return kResultTrue;
}

tresult PLUGIN_API VST3EditorQX::tick()
{
    if (!frame)
        return kResultFalse;
    notify(nullptr, CVSTGUITimer::kMsgTimer);
    return kResultTrue;
}

tresult PLUGIN_API VST3EditorQX::writePNG(const char* path)
{
    return path && writeSnapshot(path) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3EditorQX::mouse(int32 action, double x, double y, int32 buttons)
{
    if (!frame)
        return kResultFalse;
    int32_t state = 0;
    if (buttons & kLeftButton)
        state |= kLButton;
    if (buttons & kRightButton)
        state |= kRButton;
    if (buttons & kShiftKey)
        state |= kShift;
    if (buttons & kControlKey)
        state |= kControl;
    if (buttons & kDoubleClickFlag)
        state |= kDoubleClick;
    CPoint where(x, y);
    const CButtonState pressed(state);
    switch (action)
    {
    case kMouseDown:
        frame->onMouseDown(where, pressed);
        return kResultTrue;
    case kMouseMoved:
        frame->onMouseMoved(where, pressed);
        return kResultTrue;
    case kMouseUp:
        frame->onMouseUp(where, pressed);
        return kResultTrue;
    default:
        return kInvalidArgument;
    }
}

int32 PLUGIN_API VST3EditorQX::describeViews(char* buffer, int32 size)
{
    const std::string text = ViewTreeText::describe(frame);
    if (buffer && size > 0)
    {
        const auto n = std::min<size_t>(text.size(), static_cast<size_t>(size) - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int32>(text.size() + 1);
}

tresult PLUGIN_API VST3EditorQX::queryInterface(const TUID iid, void** obj)
{
    if (FUnknownPrivate::iidEqual(iid, IOffscreenView::iid))
    {
        addRef();
        *obj = static_cast<IOffscreenView*>(this);
        return kResultOk;
    }
    return VST3Editor::queryInterface(iid, obj);
}
