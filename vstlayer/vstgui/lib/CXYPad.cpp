#include "vstgui/lib/CXYPad.h"

#include "vstgui/lib/CDrawContext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

CXYPad::CXYPad(const CRect& r) : CParamDisplay(r)
{
    // y's share lifts the value of (1, 1) just above 1.
    setMax(2.f);
}

float CXYPad::calculateValue(float x, float y)
{
    const double xs = std::floor(static_cast<double>(x) * 1000. + 0.5) * 0.001;
    const double ys = std::floor(static_cast<double>(y) * 1000. + 0.5) * 0.0000001;
    return static_cast<float>(xs + ys);
}

void CXYPad::calculateXY(float value, float& x, float& y)
{
    const double v = value;
    const double xs = std::floor(v * 1000. + 0.5) * 0.001;
    x = static_cast<float>(xs);
    y = static_cast<float>(std::floor((v - xs) * 10000000. + 0.5) * 0.001);
}

void CXYPad::boundValues(float& x, float& y)
{
    x = std::clamp(x, 0.f, 1.f);
    y = std::clamp(y, 0.f, 1.f);
}

bool CXYPad::stopsTrackingAt(const CPoint& where, const CButtonState& buttons)
{
    if (!stopTrackingOnMouseExit || hitTest(where, buttons))
        return false;
    endEdit();
    return true;
}

CPoint CXYPad::travel() const
{
    return CPoint(getWidth() - roundRectRadius, getHeight() - roundRectRadius);
}

bool CXYPad::pointToXY(const CPoint& where, float& x, float& y) const
{
    const CPoint room = travel();
    if (room.x <= 0 || room.y <= 0)
        return false;
    const CCoord half = roundRectRadius / 2;
    x = static_cast<float>((where.x - size.left - half) / room.x);
    y = static_cast<float>((where.y - size.top - half) / room.y);
    return true;
}

void CXYPad::drawHandle(CDrawContext* context)
{
    const CPoint room = travel();
    if (room.x <= 0 || room.y <= 0)
        return;
    float x = 0.f;
    float y = 0.f;
    calculateXY(value, x, y);
    const CCoord left = size.left + static_cast<double>(x) * room.x;
    const CCoord top = size.top + static_cast<double>(y) * room.y;
    context->setFillColor(fontColor);
    context->drawEllipse(CRect(left, top, left + roundRectRadius, top + roundRectRadius),
                         kDrawFilled);
}

void CXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    drawHandle(context);
    setDirty(false);
}

CMouseEventResult CXYPad::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    mouseStartPoint = where;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (stopsTrackingAt(where, buttons))
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    float x = 0.f;
    float y = 0.f;
    if (!pointToXY(where, x, y))
        return kMouseEventHandled;
    boundValues(x, y);
    setValue(calculateValue(x, y));
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
    lastMouseChangePoint = where;
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseUp(CPoint&, const CButtonState& buttons)
{
    if (buttons.isLeftButton())
        endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CXYPad::onMouseCancel()
{
    endEdit();
    return kMouseEventHandled;
}

} // namespace VSTGUI
