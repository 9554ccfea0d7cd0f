#include "vstgui/lib/COptionMenuPopup.h"

#include "vstgui/lib/CDrawContext.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COptionMenu.h"

#include <algorithm>
#include <cairo.h>

namespace VSTGUI
{

COptionMenuPopup::COptionMenuPopup(COptionMenu* m, CFrame* frame, const CPoint& where)
    : CView(CRect()), menu(m)
{
    menu->remember();
    // Width: the widest entry, at least the menu's own width.
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(probe);
    CDrawContext measure(cr);
    measure.setFont(menu->getFont());
    CCoord width = menu->getWidth();
    for (int32_t i = 0; i < menu->getNbEntries(); ++i)
        width = std::max(width, measure.getStringWidth(menu->getEntry(i)->getTitle()) + 24);
    cairo_destroy(cr);
    cairo_surface_destroy(probe);

    const CCoord frameW = frame->getWidth(), frameH = frame->getHeight();
    const int32_t fit = std::max(1, static_cast<int32_t>((frameH - 2) / kItemHeight));
    visibleCount = std::min(menu->getNbEntries(), fit);
    const CCoord height = visibleCount * kItemHeight + 2;
    width = std::min(width, frameW);
    // Below the menu when it fits, else pushed up to stay inside the frame.
    CCoord top = std::min(where.y, frameH - height);
    CCoord left = std::min(where.x, frameW - width);
    size = CRect(std::max(0., left), std::max(0., top), std::max(0., left) + width,
                 std::max(0., top) + height);
    const int32_t current = menu->getCurrentIndex();
    if (current >= visibleCount)
        firstVisible = std::min(current, menu->getNbEntries() - visibleCount);
}

COptionMenuPopup::~COptionMenuPopup()
{
    menu->popupClosed();
    menu->forget();
}

CRect COptionMenuPopup::entryRect(int32_t index) const
{
    const int32_t row = index - firstVisible;
    return CRect(size.left + 1, size.top + 1 + row * kItemHeight, size.right - 1,
                 size.top + 1 + (row + 1) * kItemHeight);
}

int32_t COptionMenuPopup::entryAt(const CPoint& where) const
{
    if (!size.pointInside(where) || where.y < size.top + 1)
        return -1;
    const int32_t row = static_cast<int32_t>((where.y - size.top - 1) / kItemHeight);
    if (row < 0 || row >= visibleCount)
        return -1;
    return firstVisible + row;
}

void COptionMenuPopup::draw(CDrawContext* context)
{
    context->setFillColor(CColor(240, 240, 240));
    context->setFrameColor(kBlackCColor);
    context->setLineWidth(1);
    context->drawRect(size, kDrawFilledAndStroked);
    context->setFont(menu->getFont());
    const bool checkStyle = (menu->getStyle() & COptionMenu::kCheckStyle) != 0;
    for (int32_t i = firstVisible; i < firstVisible + visibleCount; ++i)
    {
        const CRect r = entryRect(i);
        const CMenuItem* item = menu->getEntry(i);
        if (i == hoverIndex || i == menu->getCurrentIndex())
        {
            context->setFillColor(i == hoverIndex ? CColor(60, 90, 160) : CColor(210, 210, 225));
            context->drawRect(r, kDrawFilled);
        }
        context->setFontColor(!item->isEnabled() ? kGreyCColor
                              : i == hoverIndex  ? kWhiteCColor
                                                 : kBlackCColor);
        CRect textRect(r);
        textRect.left += 16;
        context->drawString(item->getTitle(), textRect, kLeftText);
        if (checkStyle && i == menu->getCurrentIndex())
        {
            context->setFrameColor(i == hoverIndex ? kWhiteCColor : kBlackCColor);
            context->drawLine(CPoint(r.left + 4, r.top + 8), CPoint(r.left + 7, r.top + 11));
            context->drawLine(CPoint(r.left + 7, r.top + 11), CPoint(r.left + 12, r.top + 4));
        }
    }
    setDirty(false);
}

void COptionMenuPopup::close(int32_t chosen)
{
    COptionMenu* m = menu;
    m->remember();
    remember();
    if (CFrame* frame = getFrame())
        frame->setModalView(nullptr);
    if (chosen >= 0)
        m->selectEntry(chosen);
    forget();
    m->forget();
}

CMouseEventResult COptionMenuPopup::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!size.pointInside(where))
    {
        close(-1);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (buttons.isLeftButton())
        close(entryAt(where));
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult COptionMenuPopup::onMouseMoved(CPoint& where, const CButtonState&)
{
    const int32_t index = entryAt(where);
    if (index != hoverIndex)
    {
        hoverIndex = index;
        invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult COptionMenuPopup::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventHandled;
}

bool COptionMenuPopup::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    const int32_t maxFirst = menu->getNbEntries() - visibleCount;
    const int32_t next = std::clamp(firstVisible - static_cast<int32_t>(distance), 0, maxFirst);
    if (next != firstVisible)
    {
        firstVisible = next;
        invalid();
    }
    return true;
}

int32_t COptionMenuPopup::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt == VKEY_ESCAPE)
    {
        close(-1);
        return 1;
    }
    if (keyCode.virt == VKEY_RETURN && hoverIndex >= 0)
    {
        close(hoverIndex);
        return 1;
    }
    return -1;
}

} // namespace VSTGUI
