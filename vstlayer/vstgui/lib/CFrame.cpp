#include "vstgui/lib/CFrame.h"

#include "vstgui/lib/CDrawContext.h"
#include "vstgui/lib/IMouseObserver.h"
#include "vstgui/lib/IPlatformFrame.h"
#include "vstgui/lib/IViewAddedRemovedObserver.h"
#include "vstgui/lib/VSTGUIEditorInterface.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace VSTGUI
{

CFrame::CFrame(const CRect& r, VSTGUIEditorInterface* ed)
    : CViewContainer(CRect(0, 0, r.getWidth(), r.getHeight())), editor(ed)
{
    CViewContainer::attached(nullptr);
}

CFrame::~CFrame()
{
    setModalView(nullptr);
    focusView = nullptr;
    removeAll();
    platformFrame.reset();
    CViewContainer::removed(nullptr);
}

bool CFrame::open(void* parent, PlatformType type, IPlatformFrameConfig* config)
{
    if (openFlag)
        return false;
    if (parent)
    {
        platformFrame.reset(IPlatformFrame::create(this, parent, type, config));
        if (!platformFrame)
            return false;
    }
    openFlag = true;
    invalid();
    return true;
}

void CFrame::close()
{
    setModalView(nullptr);
    focusView = nullptr;
    removeAll();
    platformFrame.reset();
    openFlag = false;
    forget();
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    const CRect newSize(0, 0, width, height);
    if (newSize == size)
        return true;
    if (editor && !editor->beforeSizeChange(newSize, size))
        return false;
    setViewSize(newSize);
    return true;
}

void CFrame::setViewSize(const CRect& rect, bool invalidate)
{
    CViewContainer::setViewSize(CRect(0, 0, rect.getWidth(), rect.getHeight()), invalidate);
    if (platformFrame)
        platformFrame->setSize(getZoomedSize());
    invalid();
}

bool CFrame::setZoom(double z)
{
    if (!(z > 0))
        return false;
    if (z == zoom)
        return true;
    zoom = z;
    if (platformFrame)
        platformFrame->setSize(getZoomedSize());
    invalid();
    return true;
}

namespace
{
// The whole pixels that rect covers at the zoom.
CRect toDevice(const CRect& rect, double zoom)
{
    return CRect(std::floor(rect.left * zoom), std::floor(rect.top * zoom),
                 std::ceil(rect.right * zoom), std::ceil(rect.bottom * zoom));
}
} // namespace

CRect CFrame::getZoomedSize() const
{
    return toDevice(CRect(0, 0, getWidth(), getHeight()), zoom);
}

void CFrame::invalidRect(const CRect& rect)
{
    CRect r(rect);
    r.bound(CRect(0, 0, getWidth(), getHeight()));
    if (r.isEmpty())
        return;
    dirtyRect.unite(r);
    if (platformFrame)
        platformFrame->invalidRect(toDevice(r, zoom));
}

void CFrame::idle()
{
    if (editor)
        editor->doIdleStuff();
}

void CFrame::render(cairo_t* cr, const CRect& deviceRect)
{
    CDrawContext context(cr);
    context.saveGlobalState();
    cairo_rectangle(cr, deviceRect.left, deviceRect.top, deviceRect.getWidth(),
                    deviceRect.getHeight());
    cairo_clip(cr);
    cairo_scale(cr, zoom, zoom);
    const CRect rect(std::floor(deviceRect.left / zoom), std::floor(deviceRect.top / zoom),
                     std::ceil(deviceRect.right / zoom), std::ceil(deviceRect.bottom / zoom));
    drawRect(&context, rect);
    context.restoreGlobalState();
}

cairo_surface_t* CFrame::renderToImage()
{
    const CRect device = getZoomedSize();
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(device.getWidth()),
                                   static_cast<int>(device.getHeight()));
    cairo_t* cr = cairo_create(surface);
    render(cr, device);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

bool CFrame::writePNG(const std::string& path)
{
    cairo_surface_t* surface = renderToImage();
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (modalView)
    {
        CView* v = modalView;
        v->remember();
        CPoint p(where);
        const CMouseEventResult result = v->onMouseDown(p, buttons);
        v->forget();
        return result;
    }
    for (IMouseObserver* o : std::vector<IMouseObserver*>(mouseObservers))
        if (o->onMouseDown(this, where, buttons) == kMouseEventHandled)
            return kMouseEventHandled;
    // Clicking elsewhere ends text entry.
    if (focusView)
    {
        CPoint local(where);
        focusView->frameToLocal(local);
        if (!focusView->getViewSize().pointInside(local))
            setFocusView(nullptr);
    }
    return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (modalView)
    {
        CView* v = modalView;
        v->remember();
        CPoint p(where);
        const CMouseEventResult result = v->onMouseUp(p, buttons);
        v->forget();
        return result;
    }
    return CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (modalView)
    {
        CView* v = modalView;
        v->remember();
        CPoint p(where);
        const CMouseEventResult result = v->onMouseMoved(p, buttons);
        v->forget();
        return result;
    }
    return CViewContainer::onMouseMoved(where, buttons);
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
    if (modalView)
        return modalView->onWheel(where, distance, buttons);
    return CViewContainer::onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    CView* target = modalView ? modalView : focusView;
    if (!target)
        return -1;
    target->remember();
    const int32_t result = target->onKeyDown(keyCode);
    target->forget();
    return result;
}

bool CFrame::removeView(CView* view, bool withForget)
{
    // removeAll() comes through here too: never keep pointers to views that left.
    if (view == modalView)
        modalView = nullptr;
    return CViewContainer::removeView(view, withForget);
}

bool CFrame::setModalView(CView* view)
{
    if (view && modalView)
        return false;
    if (modalView)
    {
        CView* old = modalView;
        modalView = nullptr;
        removeView(old, true);
    }
    if (view)
    {
        if (!addView(view))
            return false;
        modalView = view;
    }
    return true;
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView)
        return;
    CView* old = focusView;
    focusView = view;
    if (old)
        old->looseFocus();
    if (focusView)
        focusView->takeFocus();
}

void CFrame::registerMouseObserver(IMouseObserver* observer)
{
    if (observer &&
        std::find(mouseObservers.begin(), mouseObservers.end(), observer) == mouseObservers.end())
        mouseObservers.push_back(observer);
}

void CFrame::unregisterMouseObserver(IMouseObserver* observer)
{
    std::erase(mouseObservers, observer);
}

void CFrame::registerViewAddedRemovedObserver(IViewAddedRemovedObserver* observer)
{
    if (observer &&
        std::find(viewObservers.begin(), viewObservers.end(), observer) == viewObservers.end())
        viewObservers.push_back(observer);
}

void CFrame::unregisterViewAddedRemovedObserver(IViewAddedRemovedObserver* observer)
{
    std::erase(viewObservers, observer);
}

void CFrame::onViewAdded(CView* view)
{
    if (view == this)
        return;
    for (IViewAddedRemovedObserver* o : std::vector<IViewAddedRemovedObserver*>(viewObservers))
        o->onViewAdded(this, view);
}

void CFrame::onViewRemoved(CView* view)
{
    if (view == this)
        return;
    if (view == focusView)
        focusView = nullptr;
    for (IViewAddedRemovedObserver* o : std::vector<IViewAddedRemovedObserver*>(viewObservers))
        o->onViewRemoved(this, view);
}

} // namespace VSTGUI
