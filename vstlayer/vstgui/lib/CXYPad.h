#pragma once

#include "vstgui/lib/CParamDisplay.h"

namespace VSTGUI
{

// A two-axis pad: a round handle, its diameter the round-rect radius, dragged over the
// pad. One value carries both coordinates (0..1 each, y = 0 at the top) with three
// decimals apiece, x in the thousandths and y below them.
class CXYPad : public CParamDisplay
{
public:
    explicit CXYPad(const CRect& size = CRect(0, 0, 0, 0));
    CLASS_METHODS(CXYPad, CParamDisplay)

    static float calculateValue(float x, float y);
    static void calculateXY(float value, float& x, float& y);

    void setStopTrackingOnMouseExit(bool state) { stopTrackingOnMouseExit = state; }
    bool getStopTrackingOnMouseExit() const { return stopTrackingOnMouseExit; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;

protected:
    static void boundValues(float& x, float& y);
    // Ends the gesture when the pointer has left a pad that stops tracking then.
    bool stopsTrackingAt(const CPoint& where, const CButtonState& buttons);
    // The pad position under the handle's centre at where, unbounded; false when the
    // pad is no larger than the handle, which then has nowhere to go.
    bool pointToXY(const CPoint& where, float& x, float& y) const;
    // Fills the handle in the font colour where the stored value puts it.
    void drawHandle(CDrawContext* context);

    CPoint mouseStartPoint;
    CPoint lastMouseChangePoint;

private:
    // The distance the handle can travel across and down.
    CPoint travel() const;

    bool stopTrackingOnMouseExit{false};
};

} // namespace VSTGUI
