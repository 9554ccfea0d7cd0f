#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/VSTGUIEditorInterface.h"
#include "vstgui/platform/x11/FrameConfig.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <memory>

namespace VSTGUI
{
class CVSTGUITimer;
class RunLoopAdapter;
} // namespace VSTGUI

namespace Steinberg::Vst
{

// An IPlugView whose content is a VSTGUI frame. Subclasses create the frame in open()
// and release it in close(); this class embeds it in the host's X11 window, runs the
// idle timer and scales the view by the host's content scale factor (HiDPI).
class VSTGUIEditor : public EditorView,
                     public IPlugViewContentScaleSupport,
                     public VSTGUI::VSTGUIEditorInterface,
                     public VSTGUI::CBaseObject
{
public:
    explicit VSTGUIEditor(EditController* editController, ViewRect* size = nullptr);
    ~VSTGUIEditor() override;

    // parent null opens offscreen (no window); render through getFrame().
    virtual bool PLUGIN_API
    open(void* parent, const VSTGUI::PlatformType& type = VSTGUI::PlatformType::kDefaultNative) = 0;
    virtual void PLUGIN_API close() = 0;

    // Period of the idle timer that calls notify(timer, CVSTGUITimer::kMsgTimer).
    void setIdleRate(int32 millisec);
    int32 getIdleRate() const { return idleRate; }
    bool isIdleTimerRunning() const;

    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender,
                                  VSTGUI::IdStringPtr message) override;
    int32_t getKnobMode() const override;

    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    tresult PLUGIN_API removed() override;
    tresult PLUGIN_API onSize(ViewRect* newSize) override;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;

    // The view and its window grow by factor; the layout stays as it is at 1.
    tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;
    double getContentScaleFactor() const { return contentScale; }

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    DELEGATE_REFCOUNT(EditorView)

    // Closes the editor while this library's statics still live: the process is exiting
    // (or the library unloading) and the host may release the view only afterwards.
    virtual void releaseForExit();

    // One count for both reference schemes.
    void remember() override { addRef(); }
    void forget() override { release(); }

protected:
    // The platform settings for CFrame::open (the host's run loop); null offscreen.
    VSTGUI::IPlatformFrameConfig* getPlatformConfig();
    IPlugFrame* getPlugFrame() const { return plugFrame; }
    // The editor's size at scale 1; the view's size (getSize) is this times the scale.
    void setUnscaledSize(VSTGUI::CCoord width, VSTGUI::CCoord height);
    ViewRect scaledRect(VSTGUI::CCoord width, VSTGUI::CCoord height) const;
    // True while the host is resizing us through onSize (no need to ask it back).
    bool isHostResizing() const { return hostResizing; }
    void startIdleTimer();
    void stopIdleTimer();

private:
    std::unique_ptr<VSTGUI::RunLoopAdapter> runLoop;
    VSTGUI::X11::FrameConfig frameConfig;
    VSTGUI::CVSTGUITimer* timer{nullptr};
    int32 idleRate{100};
    bool hostResizing{false};
    double contentScale{1};
    VSTGUI::CPoint unscaledSize;
};

} // namespace Steinberg::Vst
