#include "vstgui/lib/CView.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CDrawContext.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/uidescription/IController.h"

namespace VSTGUI
{

CView::CView(const CRect& r) : size(r) {}

namespace
{
void replaceBitmap(CBitmap*& slot, CBitmap* bitmap)
{
    if (bitmap)
        bitmap->remember();
    if (slot)
        slot->forget();
    slot = bitmap;
}
} // namespace

CView::CView(const CView& v)
    : CBaseObject(), size(v.size), transparent(v.transparent), mouseEnabled(v.mouseEnabled),
      visible(v.visible)
{
    replaceBitmap(background, v.background);
    replaceBitmap(disabledBackground, v.disabledBackground);
}

CView::~CView()
{
    replaceBitmap(background, nullptr);
    replaceBitmap(disabledBackground, nullptr);
}

void CView::draw(CDrawContext* context)
{
    if (background)
        context->drawBitmap(background, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/)
{
    draw(context);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint&, const float&, const CButtonState&)
{
    return false;
}

int32_t CView::onKeyDown(VstKeyCode&)
{
    return -1;
}

bool CView::attached(CView* parent)
{
    if (attachedFlag)
        return false;
    parentView = parent;
    attachedFlag = true;
    if (CFrame* frame = getFrame())
        frame->onViewAdded(this);
    return true;
}

bool CView::removed(CView* /*parent*/)
{
    if (!attachedFlag)
        return false;
    if (CFrame* frame = getFrame())
        frame->onViewRemoved(this);
    attachedFlag = false;
    parentView = nullptr;
    return true;
}

void CView::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == size)
        return;
    if (invalidate)
        invalid();
    size = rect;
    if (invalidate)
        invalid();
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
    return size.pointInside(where);
}

void CView::invalid()
{
    invalidRect(size);
}

void CView::invalidRect(const CRect& rect)
{
    if (attachedFlag && parentView && visible)
        parentView->invalidRect(rect);
}

void CView::setDirty(bool state)
{
    dirty = state;
}

void CView::setBackground(CBitmap* bitmap)
{
    if (bitmap == background)
        return;
    replaceBitmap(background, bitmap);
    setDirty();
}

void CView::setDisabledBackground(CBitmap* bitmap)
{
    if (bitmap == disabledBackground)
        return;
    replaceBitmap(disabledBackground, bitmap);
    setDirty();
}

void CView::setTransparency(bool state)
{
    transparent = state;
}

void CView::setVisible(bool state)
{
    if (visible == state)
        return;
    if (!state)
        invalid();
    visible = state;
    if (state)
        invalid();
}

CFrame* CView::getFrame() const
{
    return parentView ? parentView->getFrame() : nullptr;
}

VSTGUIEditorInterface* CView::getEditor() const
{
    CFrame* frame = getFrame();
    return frame ? frame->getEditor() : nullptr;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    for (const CView* p = parentView; p; p = p->getParentView())
        point.offset(p->getViewSize().getTopLeft());
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    for (const CView* p = parentView; p; p = p->getParentView())
        point.offsetInverse(p->getViewSize().getTopLeft());
    return point;
}

void CView::setSubController(IController* controller)
{
    subController.reset(controller);
}

} // namespace VSTGUI
