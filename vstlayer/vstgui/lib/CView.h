#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/CButtonState.h"
#include "vstgui/lib/CRect.h"
#include "vstgui/lib/VstKeyCode.h"

#include <memory>

// A view's copy operation, under VSTGUI's macro names: every view class states whether
// it copies, so that no copy comes out as a part of the view it was made from.
#define CLASS_METHODS(name, parent)                                                                \
    VSTGUI::CBaseObject* newCopy() const override                                                  \
    {                                                                                              \
        return new name(*this);                                                                    \
    }
#define CLASS_METHODS_NOCOPY(name, parent)                                                         \
    VSTGUI::CBaseObject* newCopy() const override                                                  \
    {                                                                                              \
        return nullptr;                                                                            \
    }

namespace VSTGUI
{

class IController;

class CView : public CBaseObject
{
public:
    explicit CView(const CRect& size);
    // The copy is in no parent and has no sub-controller; it shares the bitmaps, each
    // remembered once more.
    CView(const CView& view);
    CView& operator=(const CView&) = delete;
    ~CView() override;

    // A new view like this one, owned once by the caller; null for views that do not copy.
    virtual CBaseObject* newCopy() const { return new CView(*this); }

    // Drawing happens in the parent's coordinates (the ones getViewSize() is in).
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);

    // where is in the parent's coordinates.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel() { return kMouseEventNotImplemented; }
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    // Returns 1 when the key was used, -1 otherwise.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual void looseFocus() {}
    virtual void takeFocus() {}

    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    bool isAttached() const { return attachedFlag; }

    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    const CRect& getViewSize() const { return size; }
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);

    virtual void invalid();
    // rect in the parent's coordinates.
    virtual void invalidRect(const CRect& rect);
    void setDirty(bool state = true);
    bool isDirty() const { return dirty; }

    virtual void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }
    // What views that honour it show while the mouse is disabled.
    void setDisabledBackground(CBitmap* bitmap);
    CBitmap* getDisabledBackground() const { return disabledBackground; }
    virtual void setTransparency(bool state);
    bool getTransparency() const { return transparent; }
    void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    virtual void setVisible(bool state);
    bool isVisible() const { return visible; }

    CView* getParentView() const { return parentView; }
    virtual CFrame* getFrame() const;
    VSTGUIEditorInterface* getEditor() const;

    // Point conversions between the parent's coordinates and the frame's.
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;

    // A controller that lives as long as this view (owned).
    void setSubController(IController* controller);
    IController* getSubController() const { return subController.get(); }

protected:
    CRect size;
    CView* parentView{nullptr};
    CBitmap* background{nullptr};

private:
    CBitmap* disabledBackground{nullptr};
    std::unique_ptr<IController> subController;
    bool attachedFlag{false};
    bool dirty{false};
    bool transparent{false};
    bool mouseEnabled{true};
    bool visible{true};
};

} // namespace VSTGUI
