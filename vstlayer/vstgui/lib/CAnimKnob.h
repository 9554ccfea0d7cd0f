#pragma once

#include "vstgui/lib/CControl.h"

namespace VSTGUI
{

// A knob drawn from a vertical film strip: frame i sits at y = i * heightOfOneImage.
class CAnimKnob : public CControl
{
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
    CLASS_METHODS(CAnimKnob, CControl)

    void setNumSubPixmaps(int32_t n) { subPixmaps = n < 1 ? 1 : n; }
    int32_t getNumSubPixmaps() const { return subPixmaps; }
    void setHeightOfOneImage(CCoord h) { heightOfOneImage = h < 0 ? 0 : h; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }
    void setInverseBitmap(bool state) { inverseBitmap = state; }
    bool getInverseBitmap() const { return inverseBitmap; }
    // Angles in radians, clockwise from 3 o'clock on screen.
    void setStartAngle(float radians) { startAngle = radians; }
    float getStartAngle() const { return startAngle; }
    void setRangeAngle(float radians) { rangeAngle = radians; }
    float getRangeAngle() const { return rangeAngle; }
    // Linear mode with Shift moves this many times slower.
    void setZoomFactor(float f) { zoomFactor = f < 1.f ? 1.f : f; }
    float getZoomFactor() const { return zoomFactor; }

    // The nearest film-strip frame to the normalised value.
    int32_t getFrameIndex() const;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // Pixels of linear travel for the whole range.
    static constexpr CCoord kLinearRange = 200;

private:
    int32_t currentKnobMode() const;
    float angleOf(const CPoint& where) const;
    float valueFromAngle(float angle) const;
    void setUserValue(float normalized);

    int32_t subPixmaps;
    CCoord heightOfOneImage;
    bool inverseBitmap{false};
    float startAngle;
    float rangeAngle;
    float zoomFactor{1.5f};

    // Drag state.
    int32_t dragMode{-1};
    CPoint firstPoint;
    float entryValue{0.f};
    float lastAngle{0.f};
    int32_t lastModifiers{0};
};

} // namespace VSTGUI
