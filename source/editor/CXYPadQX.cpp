#include "editor/CXYPadQX.h"

#include "vstgui/lib/CDrawContext.h"

using namespace VSTGUI;

namespace
{
// The left button alone; a modifier other than Alt makes it another gesture.
bool leftOnly(const CButtonState& buttons)
{
    return buttons.isLeftButton() && (buttons & (kMButton | kRButton | kShift | kControl)) == 0;
}
} // namespace

CXYPadQX::CXYPadQX(const CRect& r) : CXYPad(r) {}

bool CXYPadQX::insideDiamond(float x, float y) const
{
    bool inside = false;
    for (int i = 0, j = 3; i < 4; j = i++)
    {
        const float xi = diamondX[i], yi = diamondY[i];
        const float xj = diamondX[j], yj = diamondY[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

void CXYPadQX::setValue(float v)
{
    if (isDragging)
    {
        CControl::setValue(v);
        return;
    }
    float x = 0.f;
    float y = 0.f;
    calculateXY(v, x, y);
    y = 1.f - y;
    if (isJoystick && !insideDiamond(x, y))
        return;
    if (!isJoystick)
        boundValues(x, y);
    CControl::setValue(calculateValue(x, y));
}

CMouseEventResult CXYPadQX::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!leftOnly(buttons))
        return kMouseEventNotHandled;
    const CCoord half = getRoundRectRadius() / 2;
    mouseStartPoint = where - CPoint(size.left + half, size.top + half);
    isDragging = true;
    onMouseMoved(where, buttons);
    if (!isEditing())
        beginEdit();
    return kMouseEventHandled;
}

CMouseEventResult CXYPadQX::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!leftOnly(buttons))
    {
        isDragging = false;
        return kMouseEventNotHandled;
    }
    if (stopsTrackingAt(where, buttons))
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    float x = 0.f;
    float y = 0.f;
    if (!pointToXY(where, x, y))
        return kMouseEventHandled;
    if (!isJoystick)
    {
        boundValues(x, y);
    }
    else if (insideDiamond(x, y))
    {
        boundValues(x, y);
        lastInsideX = x;
        lastInsideY = y;
    }
    else
    {
        x = lastInsideX;
        y = lastInsideY;
    }
    if (isDragging)
    {
        CControl::setValue(calculateValue(x, 1.f - y));
        if (getListener() && isDirty())
            valueChanged();
        CControl::setValue(calculateValue(x, y));
    }
    invalid();
    isDragging = true;
    lastMouseChangePoint = where;
    return kMouseEventHandled;
}

CMouseEventResult CXYPadQX::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    isDragging = false;
    return CXYPad::onMouseUp(where, buttons);
}

void CXYPadQX::drawDiamond(CDrawContext* context)
{
    const CCoord midX = size.left + getWidth() / 2;
    const CCoord midY = size.top + getHeight() / 2;
    context->setLineWidth(2);
    context->setFillColor(getBackColor());
    context->setFrameColor(getFrameColor());
    context->drawPolygon({CPoint(size.left, midY), CPoint(midX, size.top), CPoint(size.right, midY),
                          CPoint(midX, size.bottom), CPoint(size.left, midY)},
                         kDrawFilledAndStroked);
    context->setLineWidth(1);
    context->drawLine(CPoint(midX, size.top), CPoint(midX, size.bottom));
    context->drawLine(CPoint(size.left, midY), CPoint(size.right, midY));
}

void CXYPadQX::draw(CDrawContext* context)
{
    if (isJoystick)
        drawDiamond(context);
    else
        drawBack(context);
    drawHandle(context);
    setDirty(false);
}
