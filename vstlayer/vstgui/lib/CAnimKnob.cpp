#include "vstgui/lib/CAnimKnob.h"

#include "vstgui/lib/CDrawContext.h"
#include "vstgui/lib/VSTGUIEditorInterface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace VSTGUI
{

namespace
{
constexpr float kPi = std::numbers::pi_v<float>;

float wrapAngle(float a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}
} // namespace

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, int32_t n, CCoord h,
                     CBitmap* bg, const CPoint& offset)
    : CControl(r, l, t, bg), subPixmaps(n < 1 ? 1 : n), heightOfOneImage(h < 0 ? 0 : h),
      startAngle(3 * kPi / 4), rangeAngle(3 * kPi / 2)
{
    setBackOffset(offset);
}

int32_t CAnimKnob::getFrameIndex() const
{
    const float v = getValueNormalized();
    int32_t index = static_cast<int32_t>(std::lround(v * static_cast<float>(subPixmaps - 1)));
    index = std::clamp(index, 0, subPixmaps - 1);
    return inverseBitmap ? subPixmaps - 1 - index : index;
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (background && heightOfOneImage > 0)
    {
        CPoint where(backOffset.x, backOffset.y + getFrameIndex() * heightOfOneImage);
        context->drawBitmap(background, size, where);
    }
    setDirty(false);
}

int32_t CAnimKnob::currentKnobMode() const
{
    if (VSTGUIEditorInterface* editor = getEditor())
    {
        const int32_t mode = editor->getKnobMode();
        if (mode == kRelativCircularMode || mode == kLinearMode)
            return mode;
    }
    return kCircularMode;
}

float CAnimKnob::angleOf(const CPoint& where) const
{
    const CPoint c = size.getCenter();
    return static_cast<float>(std::atan2(where.y - c.y, where.x - c.x));
}

float CAnimKnob::valueFromAngle(float angle) const
{
    if (rangeAngle <= 0)
        return getValueNormalized();
    const float rel = wrapAngle(angle - startAngle);
    if (rel <= rangeAngle)
        return rel / rangeAngle;
    // In the dead zone: snap to the nearer end.
    return (rel - rangeAngle) < (2 * kPi - rel) ? 1.f : 0.f;
}

void CAnimKnob::setUserValue(float normalized)
{
    const float before = getValue();
    setValueNormalized(std::clamp(normalized, 0.f, 1.f));
    if (getValue() != before)
    {
        invalid();
        valueChanged();
    }
}

CMouseEventResult CAnimKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (checkDefaultValue(buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    beginEdit();
    dragMode = currentKnobMode();
    firstPoint = where;
    entryValue = getValueNormalized();
    lastAngle = angleOf(where);
    lastModifiers = buttons.getModifierState();
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (dragMode < 0 || !buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (dragMode == kLinearMode)
    {
        // Re-anchor when Shift changes so the knob does not jump.
        if (buttons.getModifierState() != lastModifiers)
        {
            firstPoint = where;
            entryValue = getValueNormalized();
            lastModifiers = buttons.getModifierState();
        }
        CCoord range = kLinearRange;
        if (buttons & kShift)
            range *= static_cast<CCoord>(zoomFactor);
        const CCoord diff = (firstPoint.y - where.y) + (where.x - firstPoint.x);
        setUserValue(entryValue + static_cast<float>(diff / range));
    }
    else if (dragMode == kRelativCircularMode)
    {
        const float angle = angleOf(where);
        float delta = angle - lastAngle;
        if (delta > kPi)
            delta -= 2 * kPi;
        else if (delta < -kPi)
            delta += 2 * kPi;
        lastAngle = angle;
        if (rangeAngle > 0)
            setUserValue(getValueNormalized() + delta / rangeAngle);
    }
    else
    {
        setUserValue(valueFromAngle(angleOf(where)));
    }
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseUp(CPoint&, const CButtonState&)
{
    if (dragMode < 0)
        return kMouseEventNotHandled;
    dragMode = -1;
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseCancel()
{
    if (dragMode < 0)
        return kMouseEventNotHandled;
    dragMode = -1;
    setUserValue(entryValue);
    endEdit();
    return kMouseEventHandled;
}

bool CAnimKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    float step = distance * wheelInc;
    if (buttons & kShift)
        step /= zoomFactor;
    beginEdit();
    setUserValue(getValueNormalized() + step);
    endEdit();
    return true;
}

} // namespace VSTGUI
