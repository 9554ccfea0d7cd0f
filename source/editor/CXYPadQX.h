#pragma once

#include "vstgui/lib/CXYPad.h"

// The track pad, whose handle goes anywhere on the pad, or the joystick, whose handle
// stays inside a diamond drawn with a cross-hair. Its listener and parameters count y
// upwards (1 at the top); the stored value, like the drawing, counts it downwards.
class CXYPadQX : public VSTGUI::CXYPad
{
public:
    explicit CXYPadQX(const VSTGUI::CRect& size);
    CLASS_METHODS(CXYPadQX, CXYPad)

    void setJoystick(bool state) { isJoystick = state; }
    bool getJoystick() const { return isJoystick; }
    bool getDragging() const { return isDragging; }
    // (x, y) pad-relative, y down: inside the diamond (corners at the edges' middles).
    bool insideDiamond(float x, float y) const;

    // Values from the parameters: y up. A joystick ignores points outside the diamond.
    void setValue(float value) override;
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where,
                                        const VSTGUI::CButtonState& buttons) override;

private:
    void drawDiamond(VSTGUI::CDrawContext* context);

    bool isDragging{false};
    bool isJoystick{false};
    float diamondX[4]{0.f, 0.5f, 1.f, 0.5f};
    float diamondY[4]{0.5f, 0.f, 0.5f, 1.f};
    float lastInsideX{0.f};
    float lastInsideY{0.f};
};
