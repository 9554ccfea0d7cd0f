#pragma once

#include "vstgui/lib/CControl.h"

namespace VSTGUI
{

// A push button that springs back: two stacked frames in the bitmap, released above,
// pressed below. The value is the maximum while the pointer is held inside it.
class CKickButton : public CControl
{
public:
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = CPoint(0, 0));
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0));
    CLASS_METHODS(CKickButton, CControl)

    // 0: the view's height.
    void setHeightOfOneImage(CCoord h) { heightOfOneImage = h < 0 ? 0 : h; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }
    bool isPressed() const { return value >= vmax; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    // Released inside: the listener hears the press (maximum), then the return to the
    // minimum. Released outside, the click was abandoned and nothing is reported.
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;

protected:
    // The value when the press began.
    float entryState{0.f};

private:
    CCoord heightOfOneImage{0};
};

} // namespace VSTGUI
