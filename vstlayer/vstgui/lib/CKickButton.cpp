#include "vstgui/lib/CKickButton.h"

#include "vstgui/lib/CDrawContext.h"

namespace VSTGUI
{

CKickButton::CKickButton(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg,
                         const CPoint& offset)
    : CKickButton(r, l, t, 0, bg, offset)
{
}

CKickButton::CKickButton(const CRect& r, IControlListener* l, int32_t t, CCoord h, CBitmap* bg,
                         const CPoint& offset)
    : CControl(r, l, t, bg)
{
    setHeightOfOneImage(h);
    setBackOffset(offset);
    defaultValue = 0.f;
}

void CKickButton::draw(CDrawContext* context)
{
    if (background)
    {
        const CCoord frameHeight = heightOfOneImage > 0 ? heightOfOneImage : getHeight();
        const CPoint where(backOffset.x, backOffset.y + (isPressed() ? frameHeight : 0));
        context->drawBitmap(background, size, where);
    }
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    entryState = value;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    setValue(hitTest(where, buttons) ? vmax : vmin);
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    if (isPressed())
    {
        valueChanged();
        setValue(vmin);
        valueChanged();
    }
    setValue(vmin);
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseCancel()
{
    setValue(entryState);
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}

} // namespace VSTGUI
