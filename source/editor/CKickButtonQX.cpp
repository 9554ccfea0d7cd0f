#include "editor/CKickButtonQX.h"

using namespace VSTGUI;

CKickButtonQX::CKickButtonQX(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg,
                             const CPoint& offset)
    : CKickButton(r, l, t, bg, offset)
{
}

CMouseEventResult CKickButtonQX::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    setValue(1.f);
    entryState = 1.f;
    beginEdit();
    if (kickMode == kPressAndRelease || kickMode == kPress)
    {
        valueChanged();
        if (isDirty())
            invalid();
    }
    return CKickButton::onMouseMoved(where, buttons);
}

CMouseEventResult CKickButtonQX::onMouseUp(CPoint&, const CButtonState&)
{
    setValue(getMin());
    if (kickMode == kPressAndRelease || kickMode == kRelease)
        valueChanged();
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}
