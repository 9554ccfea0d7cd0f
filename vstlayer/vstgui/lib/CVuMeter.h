#pragma once

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CControl.h"
#include "vstgui/lib/SharedPointer.h"

namespace VSTGUI
{

// A level meter drawn from two bitmaps the size of the view: the off bitmap everywhere,
// the on bitmap over the lit part, in whole LEDs. A falling value decays by a step per
// redraw instead of dropping at once.
class CVuMeter : public CControl
{
public:
    CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, int32_t nbLed,
             int32_t style = kVertical);
    // The copy shares both bitmaps, each remembered once more.
    CVuMeter(const CVuMeter& meter);
    CLASS_METHODS(CVuMeter, CControl)

    void setOnBitmap(CBitmap* bitmap) { setBackground(bitmap); }
    CBitmap* getOnBitmap() const { return background; }
    void setOffBitmap(CBitmap* bitmap);
    CBitmap* getOffBitmap() const { return offBitmap.get(); }
    void setNbLed(int32_t n) { nbLed = n; }
    int32_t getNbLed() const { return nbLed; }
    void setStyle(int32_t s) { style = s; }
    int32_t getStyle() const { return style; }
    void setDecreaseStepValue(float step) { decreaseValue = step; }
    float getDecreaseStepValue() const { return decreaseValue; }
    // The level shown at the last redraw.
    float getOldValue() const { return oldValue; }
    void setOldValue(float v) { oldValue = v; }

    void draw(CDrawContext* context) override;

protected:
    // The value with the decay applied, remembered as the old value.
    float decayedValue();
    // The strip lit to level (in the value's range), rising from the left or the bottom;
    // inverted, it grows from the right or the top instead. Nothing without LEDs.
    void drawLeds(CDrawContext* context, float level, bool inverted);

private:
    SharedPointer<CBitmap> offBitmap;
    int32_t nbLed;
    int32_t style;
    float decreaseValue{0.1f};
    float oldValue{0.f};
};

} // namespace VSTGUI
