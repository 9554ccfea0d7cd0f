#include "vstgui/plugin-bindings/VST3Editor.h"

#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CVSTGUITimer.h"
#include "vstgui/platform/linux/ResourcePath.h"
#include "vstgui/plugin-bindings/ParameterChangeListener.h"
#include "vstgui/plugin-bindings/StringConvert.h"
#include "vstgui/plugin-bindings/VST3EditorDelegate.h"
#include "vstgui/uidescription/UIDescription.h"

#include "base/source/updatehandler.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

namespace VSTGUI
{

using namespace Steinberg;
using namespace Steinberg::Vst;

VST3Editor::VST3Editor(EditController* editController, UTF8StringPtr name, UTF8StringPtr xmlFile)
    : VSTGUIEditor(editController), templateName(name ? name : "")
{
    // Parameters tell their listeners through the SDK's update handler.
    UpdateHandler::instance();
    delegate = dynamic_cast<VST3EditorDelegate*>(editController);
    description = new UIDescription(xmlFile ? xmlFile : "", ResourcePath::get());
    if (!description->parse())
    {
        description->forget();
        description = nullptr;
        return;
    }
    if (const UIAttributes* attributes = description->getViewAttributes(templateName.c_str()))
    {
        const CPoint size = attributes->getPointAttribute("size").value_or(CPoint());
        minSize = attributes->getPointAttribute("minSize").value_or(size);
        maxSize = attributes->getPointAttribute("maxSize").value_or(size);
        setUnscaledSize(size.x, size.y);
    }
}

VST3Editor::~VST3Editor()
{
    if (frame)
        close();
    if (description)
        description->forget();
}

tresult PLUGIN_API VST3Editor::queryInterface(const TUID iid, void** obj)
{
    if (FUnknownPrivate::iidEqual(iid, IParameterFinder::iid))
    {
        addRef();
        *obj = static_cast<IParameterFinder*>(this);
        return kResultOk;
    }
    return VSTGUIEditor::queryInterface(iid, obj);
}

bool PLUGIN_API VST3Editor::open(void* parent, const PlatformType& type)
{
    if (frame || !description)
        return false;
    CView* view = description->createView(templateName.c_str(), this);
    if (!view)
        return false;
    const CCoord w = view->getWidth(), h = view->getHeight();
    view->setViewSize(CRect(0, 0, w, h), false);
    frame = new CFrame(CRect(0, 0, w, h), this);
    frame->setZoom(getContentScaleFactor());
    frame->registerViewAddedRemovedObserver(this);
    frame->registerMouseObserver(this);
    frame->addView(view);
    if (!frame->open(parent, type, parent ? getPlatformConfig() : nullptr))
    {
        frame->unregisterViewAddedRemovedObserver(this);
        frame->unregisterMouseObserver(this);
        frame->close();
        frame = nullptr;
        releaseListeners();
        return false;
    }
    setUnscaledSize(w, h);
    if (delegate)
        delegate->didOpen(this);
    startIdleTimer();
    return true;
}

void PLUGIN_API VST3Editor::close()
{
    if (!frame)
        return;
    if (delegate)
        delegate->willClose(this);
    stopIdleTimer();
    frame->unregisterMouseObserver(this);
    frame->removeAll();
    frame->unregisterViewAddedRemovedObserver(this);
    releaseListeners();
    CFrame* f = frame;
    frame = nullptr;
    f->close();
    doCreateView = false;
}

void VST3Editor::releaseForExit()
{
    VSTGUIEditor::releaseForExit();
    if (description)
        description->forget();
    description = nullptr;
}

void VST3Editor::releaseListeners()
{
    for (auto& [tag, listener] : listeners)
        listener->release();
    listeners.clear();
}

bool VST3Editor::exchangeView(UTF8StringPtr name)
{
    if (!description || !name || !description->getViewAttributes(name))
        return false;
    templateName = name;
    doCreateView = true;
    return true;
}

bool VST3Editor::recreateView()
{
    doCreateView = false;
    if (!frame || !description)
        return false;
    CView* view = description->createView(templateName.c_str(), this);
    if (!view)
        return false;
    const CCoord w = view->getWidth(), h = view->getHeight();
    view->setViewSize(CRect(0, 0, w, h), false);
    if (const UIAttributes* attributes = description->getViewAttributes(templateName.c_str()))
    {
        minSize = attributes->getPointAttribute("minSize").value_or(CPoint(w, h));
        maxSize = attributes->getPointAttribute("maxSize").value_or(CPoint(w, h));
    }
    frame->removeAll();
    frame->setSize(w, h);
    frame->addView(view);
    frame->invalid();
    return true;
}

bool VST3Editor::writeSnapshot(const std::string& pngPath)
{
    return frame && frame->writePNG(pngPath);
}

CMessageResult VST3Editor::notify(CBaseObject* sender, IdStringPtr message)
{
    if (message == CVSTGUITimer::kMsgTimer && doCreateView)
        recreateView();
    return VSTGUIEditor::notify(sender, message);
}

bool VST3Editor::beforeSizeChange(const CRect& newSize, const CRect&)
{
    const CPoint s = newSize.getSize();
    if ((minSize != CPoint() && (s.x < minSize.x || s.y < minSize.y)) ||
        (maxSize != CPoint() && (s.x > maxSize.x || s.y > maxSize.y)))
        return false;
    IPlugFrame* host = getPlugFrame();
    if (host && !isHostResizing())
    {
        // The host answers through onSize, which does not ask again.
        ViewRect r = scaledRect(s.x, s.y);
        return host->resizeView(this, &r) == kResultTrue;
    }
    return true;
}

ParameterChangeListener* VST3Editor::getParameterChangeListener(int32_t tag) const
{
    auto it = listeners.find(tag);
    return it == listeners.end() ? nullptr : it->second;
}

tresult PLUGIN_API VST3Editor::findParameter(int32 xPos, int32 yPos, ParamID& resultTag)
{
    if (!frame)
        return kResultFalse;
    const CPoint where(xPos, yPos);
    if (auto* control = dynamic_cast<CControl*>(frame->getViewAt(where, true)))
        if (getParameterChangeListener(control->getTag()))
        {
            resultTag = static_cast<ParamID>(control->getTag());
            return kResultTrue;
        }
    return delegate && delegate->findParameter(where, resultTag, this) ? kResultTrue : kResultFalse;
}

void VST3Editor::valueChanged(CControl* control)
{
    ParameterChangeListener* listener = getParameterChangeListener(control->getTag());
    if (!listener)
        return;
    ParamValue value = control->getValueNormalized();
    if (auto* edit = dynamic_cast<CTextEdit*>(control))
    {
        String128 text{};
        StringConvert::toUTF16(edit->getText(), text, 128);
        if (controller->getParamValueByString(listener->getParameterID(), text, value) !=
            kResultTrue)
        {
            // Unreadable text: show the parameter again and send nothing.
            listener->update(nullptr, IDependent::kChanged);
            return;
        }
    }
    listener->performEdit(value);
}

void VST3Editor::controlBeginEdit(CControl* control)
{
    if (ParameterChangeListener* listener = getParameterChangeListener(control->getTag()))
        listener->beginEdit();
}

void VST3Editor::controlEndEdit(CControl* control)
{
    if (ParameterChangeListener* listener = getParameterChangeListener(control->getTag()))
        listener->endEdit();
}

CView* VST3Editor::createView(const UIAttributes& attributes, const IUIDescription* desc)
{
    const std::string* name = attributes.getAttributeValue("custom-view-name");
    if (!delegate || !name)
        return nullptr;
    return delegate->createCustomView(name->c_str(), attributes, desc, this);
}

CView* VST3Editor::verifyView(CView* view, const UIAttributes& attributes,
                              const IUIDescription* desc)
{
    return delegate ? delegate->verifyView(view, attributes, desc, this) : view;
}

IController* VST3Editor::createSubController(UTF8StringPtr name, const IUIDescription* desc)
{
    return delegate ? delegate->createSubController(name, desc, this) : nullptr;
}

void VST3Editor::onViewAdded(CFrame*, CView* view)
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control || control->getTag() < 0)
        return;
    const auto id = static_cast<ParamID>(control->getTag());
    if (delegate && delegate->isPrivateParameter(id))
        return;
    ParameterChangeListener*& listener = listeners[control->getTag()];
    if (!listener)
    {
        Parameter* parameter = controller ? controller->getParameterObject(id) : nullptr;
        if (!parameter)
        {
            listeners.erase(control->getTag());
            return;
        }
        listener = new ParameterChangeListener(controller, parameter);
    }
    listener->addControl(control);
}

void VST3Editor::onViewRemoved(CFrame*, CView* view)
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control)
        return;
    auto it = listeners.find(control->getTag());
    if (it == listeners.end())
        return;
    it->second->removeControl(control);
    if (!it->second->hasControls())
    {
        it->second->release();
        listeners.erase(it);
    }
}

bool VST3Editor::popupHostContextMenu(CFrame* f, const CPoint& where)
{
    auto* control = dynamic_cast<CControl*>(f->getViewAt(where, true));
    ParameterChangeListener* listener =
        control ? getParameterChangeListener(control->getTag()) : nullptr;
    FUnknownPtr<IComponentHandler3> host(controller ? controller->getComponentHandler() : nullptr);
    if (!listener || !host)
        return false;
    const ParamID id = listener->getParameterID();
    IPtr<IContextMenu> menu = owned(host->createContextMenu(this, &id));
    if (!menu)
        return false;
    // Coordinates relative to the view's top left, which is the frame's.
    menu->popup(static_cast<UCoord>(where.x), static_cast<UCoord>(where.y));
    return true;
}

CMouseEventResult VST3Editor::onMouseDown(CFrame* f, const CPoint& where,
                                          const CButtonState& buttons)
{
    if (!buttons.isRightButton())
        return kMouseEventNotHandled;
    if (popupHostContextMenu(f, where))
        return kMouseEventHandled;
    if (!delegate)
        return kMouseEventNotHandled;
    COptionMenu* menu = delegate->createContextMenu(where, this);
    if (!menu)
        return kMouseEventNotHandled;
    menu->popup(f, where);
    menu->forget();
    return kMouseEventHandled;
}

} // namespace VSTGUI
