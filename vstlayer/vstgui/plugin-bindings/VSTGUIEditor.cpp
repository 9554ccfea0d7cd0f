#include "vstgui/plugin-bindings/VSTGUIEditor.h"

#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/CVSTGUITimer.h"
#include "vstgui/plugin-bindings/RunLoopAdapter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Steinberg::Vst
{

namespace
{
// Every editor that exists; on the heap only while one does.
constinit std::vector<VSTGUIEditor*>* gEditors = nullptr;

// Made at the first editor, after this library's other statics, so it goes before them
// when the process exits: editors a host still holds are closed while fonts, timers and
// the like are all there.
class ExitGuard
{
public:
    ~ExitGuard()
    {
        if (gEditors)
            for (VSTGUIEditor* editor : std::vector<VSTGUIEditor*>(*gEditors))
                editor->releaseForExit();
    }
};
} // namespace

VSTGUIEditor::VSTGUIEditor(EditController* editController, ViewRect* size)
    : EditorView(editController, size)
{
    static ExitGuard guard;
    if (!gEditors)
        gEditors = new std::vector<VSTGUIEditor*>;
    gEditors->push_back(this);
}

VSTGUIEditor::~VSTGUIEditor()
{
    stopIdleTimer();
    std::erase(*gEditors, this);
    if (gEditors->empty())
    {
        delete gEditors;
        gEditors = nullptr;
    }
}

void VSTGUIEditor::releaseForExit()
{
    if (frame)
        close();
    stopIdleTimer();
    frameConfig.runLoop = nullptr;
    runLoop.reset();
}

void VSTGUIEditor::setIdleRate(int32 millisec)
{
    idleRate = millisec > 0 ? millisec : 1;
    if (timer)
        timer->setFireTime(static_cast<uint32_t>(idleRate));
}

bool VSTGUIEditor::isIdleTimerRunning() const
{
    return timer && timer->isRunning();
}

void VSTGUIEditor::startIdleTimer()
{
    if (!timer)
        timer = new VSTGUI::CVSTGUITimer(static_cast<VSTGUI::CBaseObject*>(this),
                                         static_cast<uint32_t>(idleRate), true);
}

void VSTGUIEditor::stopIdleTimer()
{
    if (timer)
    {
        timer->stop();
        timer->forget();
        timer = nullptr;
    }
}

VSTGUI::CMessageResult VSTGUIEditor::notify(VSTGUI::CBaseObject*, VSTGUI::IdStringPtr message)
{
    if (message == VSTGUI::CVSTGUITimer::kMsgTimer)
    {
        if (frame)
            frame->idle();
        return VSTGUI::kMessageNotified;
    }
    return VSTGUI::kMessageUnknown;
}

int32_t VSTGUIEditor::getKnobMode() const
{
    switch (EditController::getHostKnobMode())
    {
    case kRelativCircularMode:
        return VSTGUI::kRelativCircularMode;
    case kLinearMode:
        return VSTGUI::kLinearMode;
    default:
        return VSTGUI::kCircularMode;
    }
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString type)
{
    return type && std::strcmp(type, kPlatformTypeX11EmbedWindowID) == 0 ? kResultTrue
                                                                         : kResultFalse;
}

VSTGUI::IPlatformFrameConfig* VSTGUIEditor::getPlatformConfig()
{
    return runLoop ? &frameConfig : nullptr;
}

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type)
{
    if (!parent || isAttached() || isPlatformTypeSupported(type) != kResultTrue)
        return kResultFalse;
    // X11 events and timers only reach us through the host's run loop.
    Linux::IRunLoop* hostLoop = nullptr;
    if (!plugFrame ||
        plugFrame->queryInterface(Linux::IRunLoop::iid, reinterpret_cast<void**>(&hostLoop)) !=
            kResultTrue ||
        !hostLoop)
        return kResultFalse;
    runLoop = std::make_unique<VSTGUI::RunLoopAdapter>(hostLoop);
    hostLoop->release();
    frameConfig.runLoop = runLoop.get();
    if (!open(parent, VSTGUI::PlatformType::kX11EmbedWindowID))
    {
        frameConfig.runLoop = nullptr;
        runLoop.reset();
        return kResultFalse;
    }
    return EditorView::attached(parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed()
{
    if (frame)
        close();
    stopIdleTimer();
    frameConfig.runLoop = nullptr;
    runLoop.reset();
    return EditorView::removed();
}

tresult PLUGIN_API VSTGUIEditor::onSize(ViewRect* newSize)
{
    if (!newSize)
        return kInvalidArgument;
    const VSTGUI::CCoord w = newSize->getWidth() / contentScale;
    const VSTGUI::CCoord h = newSize->getHeight() / contentScale;
    if (frame)
    {
        hostResizing = true;
        const bool ok = frame->setSize(w, h);
        hostResizing = false;
        if (!ok)
            return kResultFalse;
    }
    unscaledSize = VSTGUI::CPoint(w, h);
    return EditorView::onSize(newSize);
}

void VSTGUIEditor::setUnscaledSize(VSTGUI::CCoord width, VSTGUI::CCoord height)
{
    unscaledSize = VSTGUI::CPoint(width, height);
    rect = scaledRect(width, height);
}

ViewRect VSTGUIEditor::scaledRect(VSTGUI::CCoord width, VSTGUI::CCoord height) const
{
    return ViewRect(0, 0, static_cast<int32>(std::ceil(width * contentScale - 1e-9)),
                    static_cast<int32>(std::ceil(height * contentScale - 1e-9)));
}

tresult PLUGIN_API VSTGUIEditor::setContentScaleFactor(ScaleFactor factor)
{
    // Beyond any screen's scaling; also keeps a host's garbage from making huge windows.
    if (!(factor >= 0.25f && factor <= 8.f))
        return kInvalidArgument;
    contentScale = factor;
    if (frame)
        frame->setZoom(contentScale);
    ViewRect wanted = scaledRect(unscaledSize.x, unscaledSize.y);
    // A host that takes the request sizes its window and answers through onSize.
    if (!plugFrame || !isAttached() || plugFrame->resizeView(this, &wanted) != kResultTrue)
        rect = wanted;
    return kResultTrue;
}

tresult PLUGIN_API VSTGUIEditor::queryInterface(const TUID iid, void** obj)
{
    if (FUnknownPrivate::iidEqual(iid, IPlugViewContentScaleSupport::iid))
    {
        addRef();
        *obj = static_cast<IPlugViewContentScaleSupport*>(this);
        return kResultOk;
    }
    return EditorView::queryInterface(iid, obj);
}

tresult PLUGIN_API VSTGUIEditor::onKeyDown(char16 key, int16, int16 modifiers)
{
    if (!frame || key == 0)
        return kResultFalse;
    VSTGUI::VstKeyCode code;
    if (key == '\r' || key == '\n')
        code.virt = VSTGUI::VKEY_RETURN;
    else if (key == 8)
        code.virt = VSTGUI::VKEY_BACK;
    else if (key == 27)
        code.virt = VSTGUI::VKEY_ESCAPE;
    else
        code.character = key;
    code.modifier = static_cast<unsigned char>(modifiers & 0xff);
    return frame->onKeyDown(code) == 1 ? kResultTrue : kResultFalse;
}

} // namespace Steinberg::Vst
