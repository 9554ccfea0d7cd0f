#include "vstgui/lib/CControl.h"

#include "vstgui/lib/IControlListener.h"
#include "vstgui/lib/VSTGUIEditorInterface.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

CControl::CControl(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg)
    : CView(r), listener(l), tag(t)
{
    if (bg)
        setBackground(bg);
}

CControl::CControl(const CControl& c)
    : CView(c), listener(c.listener), tag(c.tag), value(c.value), vmin(c.vmin), vmax(c.vmax),
      defaultValue(c.defaultValue), wheelInc(c.wheelInc), backOffset(c.backOffset)
{
}

void CControl::setValue(float val)
{
    if (std::isnan(val))
        return;
    if (val != value)
    {
        value = val;
        setDirty();
    }
}

void CControl::setValueNormalized(float val)
{
    if (std::isnan(val))
        return;
    val = std::clamp(val, 0.f, 1.f);
    setValue(vmin + val * getRange());
}

float CControl::getValueNormalized() const
{
    const float range = getRange();
    if (range == 0.f)
        return 0.f;
    return std::clamp((value - vmin) / range, 0.f, 1.f);
}

void CControl::bounceValue()
{
    const float lo = std::min(vmin, vmax), hi = std::max(vmin, vmax);
    setValue(std::clamp(value, lo, hi));
}

void CControl::beginEdit()
{
    if (editing++ == 0)
    {
        if (listener)
            listener->controlBeginEdit(this);
        if (VSTGUIEditorInterface* editor = getEditor())
            editor->beginEdit(tag);
    }
}

void CControl::endEdit()
{
    if (editing == 0)
        return;
    if (--editing == 0)
    {
        if (VSTGUIEditorInterface* editor = getEditor())
            editor->endEdit(tag);
        if (listener)
            listener->controlEndEdit(this);
    }
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
}

bool CControl::checkDefaultValue(const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || (buttons & (kControl | kDoubleClick)) == 0)
        return false;
    beginEdit();
    setValue(defaultValue);
    bounceValue();
    valueChanged();
    endEdit();
    invalid();
    return true;
}

} // namespace VSTGUI
