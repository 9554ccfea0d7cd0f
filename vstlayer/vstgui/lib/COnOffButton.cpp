#include "vstgui/lib/COnOffButton.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CDrawContext.h"

namespace VSTGUI
{

COnOffButton::COnOffButton(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg)
    : CControl(r, l, t, bg)
{
    defaultValue = 0.f;
}

void COnOffButton::draw(CDrawContext* context)
{
    if (background)
    {
        // The lower frame starts half way down the bitmap, whatever the view's height.
        const CCoord off = isOn() ? background->getHeight() / 2 : 0;
        context->drawBitmap(background, size, CPoint(backOffset.x, backOffset.y + off));
    }
    setDirty(false);
}

void COnOffButton::toggle()
{
    beginEdit();
    setValue(isOn() ? getMin() : getMax());
    invalid();
    valueChanged();
    endEdit();
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    toggle();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t COnOffButton::onKeyDown(VstKeyCode& keyCode)
{
    if (keyCode.virt == VKEY_RETURN && keyCode.modifier == 0)
    {
        toggle();
        return 1;
    }
    return -1;
}

} // namespace VSTGUI
