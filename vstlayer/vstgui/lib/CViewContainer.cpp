#include "vstgui/lib/CViewContainer.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CDrawContext.h"

#include <algorithm>

namespace VSTGUI
{

CViewContainer::CViewContainer(const CRect& r) : CView(r) {}

CViewContainer::~CViewContainer()
{
    removeAll();
}

bool CViewContainer::addView(CView* view)
{
    if (!view || view == this || isChild(view) || view->getParentView())
        return false;
    children.push_back(view);
    if (isAttached())
        view->attached(this);
    view->invalid();
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end())
        return false;
    view->invalid();
    if (mouseDownView == view)
        mouseDownView = nullptr;
    children.erase(it);
    if (view->isAttached())
        view->removed(this);
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    mouseDownView = nullptr;
    while (!children.empty())
        removeView(children.back(), withForget);
    return true;
}

bool CViewContainer::isChild(const CView* view) const
{
    return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(int32_t index) const
{
    if (index < 0 || index >= getNbViews())
        return nullptr;
    return children[static_cast<size_t>(index)];
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    CPoint local(where);
    local.offsetInverse(size.getTopLeft());
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* v = *it;
        if (!v->isVisible() || !v->getViewSize().pointInside(local))
            continue;
        if (deep)
            if (auto* c = dynamic_cast<CViewContainer*>(v))
                if (CView* inner = c->getViewAt(local, true))
                    return inner;
        return v;
    }
    return nullptr;
}

void CViewContainer::forEachChild(const std::function<void(CView*)>& visit, bool deep) const
{
    // A copy: the visitor may change the tree.
    const auto list = children;
    for (CView* v : list)
    {
        visit(v);
        if (deep)
            if (auto* c = dynamic_cast<CViewContainer*>(v))
                c->forEachChild(visit, true);
    }
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    backgroundColor = color;
    setDirty();
}

void CViewContainer::draw(CDrawContext* context)
{
    drawRect(context, size);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    const CRect local(0, 0, getWidth(), getHeight());
    if (background)
    {
        context->drawBitmap(background, local, backgroundOffset);
    }
    else if (!getTransparency())
    {
        context->setFillColor(backgroundColor);
        context->setFrameColor(backgroundColor);
        context->setLineWidth(1);
        context->drawRect(local, backgroundColorDrawStyle);
    }
    (void)rect;
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect local(updateRect);
    local.offsetInverse(size.getTopLeft());
    local.bound(CRect(0, 0, getWidth(), getHeight()));
    if (local.isEmpty())
        return;
    context->saveGlobalState();
    context->translate(size.getTopLeft());
    context->setClipRect(local);
    // A background bitmap covers the colour; transparency keeps the parent visible.
    if (!getTransparency() || background)
    {
        if (background && !getTransparency())
        {
            context->setFillColor(backgroundColor);
            context->drawRect(CRect(0, 0, getWidth(), getHeight()), kDrawFilled);
        }
        drawBackgroundRect(context, local);
    }
    for (CView* v : children)
    {
        if (!v->isVisible() || !v->getViewSize().rectOverlap(local))
            continue;
        CRect childUpdate(local);
        childUpdate.bound(v->getViewSize());
        context->saveGlobalState();
        v->drawRect(context, childUpdate);
        context->restoreGlobalState();
    }
    context->restoreGlobalState();
    setDirty(false);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local(where);
    local.offsetInverse(size.getTopLeft());
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* v = *it;
        if (!v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons))
            continue;
        CPoint p(local);
        v->remember();
        const CMouseEventResult result = v->onMouseDown(p, buttons);
        const bool stillChild = isChild(v);
        v->forget();
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented)
            continue;
        if (result == kMouseEventHandled && stillChild)
            mouseDownView = v;
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    CView* v = mouseDownView;
    mouseDownView = nullptr;
    if (!v)
        return kMouseEventNotHandled;
    CPoint p(where);
    p.offsetInverse(size.getTopLeft());
    v->remember();
    const CMouseEventResult result = v->onMouseUp(p, buttons);
    v->forget();
    return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    CView* v = mouseDownView;
    if (!v)
        return kMouseEventNotHandled;
    CPoint p(where);
    p.offsetInverse(size.getTopLeft());
    v->remember();
    const CMouseEventResult result = v->onMouseMoved(p, buttons);
    v->forget();
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == v)
        mouseDownView = nullptr;
    return result;
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    CView* v = mouseDownView;
    mouseDownView = nullptr;
    if (!v)
        return kMouseEventNotHandled;
    v->remember();
    const CMouseEventResult result = v->onMouseCancel();
    v->forget();
    return result;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance,
                             const CButtonState& buttons)
{
    CPoint local(where);
    local.offsetInverse(size.getTopLeft());
    for (auto it = children.rbegin(); it != children.rend(); ++it)
    {
        CView* v = *it;
        if (v->isVisible() && v->getMouseEnabled() && v->hitTest(local, buttons) &&
            v->onWheel(local, distance, buttons))
            return true;
    }
    return false;
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent))
        return false;
    for (CView* v : children)
        v->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!isAttached())
        return false;
    mouseDownView = nullptr;
    for (CView* v : children)
        v->removed(this);
    return CView::removed(parent);
}

void CViewContainer::invalid()
{
    invalidRect(CRect(0, 0, getWidth(), getHeight()));
}

void CViewContainer::invalidRect(const CRect& rect)
{
    CRect r(rect);
    r.bound(CRect(0, 0, getWidth(), getHeight()));
    if (r.isEmpty())
        return;
    r.offset(size.getTopLeft());
    CView::invalidRect(r);
}

} // namespace VSTGUI
