#pragma once

#include "vstgui/lib/CControl.h"

namespace VSTGUI
{

// Two stacked frames in the bitmap: off above, on below. A click toggles.
class COnOffButton : public CControl
{
public:
    COnOffButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                 CBitmap* background = nullptr);
    CLASS_METHODS(COnOffButton, CControl)

    // On when the value lies in the upper half of the range.
    bool isOn() const { return getValueNormalized() > 0.5f; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

private:
    void toggle();
};

} // namespace VSTGUI
