#include "vstgui/lib/CVuMeter.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CDrawContext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

CVuMeter::CVuMeter(const CRect& r, CBitmap* on, CBitmap* off, int32_t n, int32_t s)
    : CControl(r, nullptr, -1, on), nbLed(n), style(s)
{
    setOffBitmap(off);
}

CVuMeter::CVuMeter(const CVuMeter& m)
    : CControl(m), offBitmap(m.offBitmap), nbLed(m.nbLed), style(m.style),
      decreaseValue(m.decreaseValue), oldValue(m.oldValue)
{
}

void CVuMeter::setOffBitmap(CBitmap* bitmap)
{
    if (bitmap == offBitmap.get())
        return;
    offBitmap.reset(bitmap);
    setDirty();
}

float CVuMeter::decayedValue()
{
    const float n = std::max(value, oldValue - decreaseValue);
    setOldValue(n);
    return n;
}

void CVuMeter::drawLeds(CDrawContext* context, float level, bool inverted)
{
    if (!background || nbLed <= 0)
        return;
    CRect onRect(size);
    CRect offRect(size);
    CPoint onOffset;
    CPoint offOffset;
    const bool horizontal = (style & kHorizontal) != 0;
    float s = 0.f;
    if (horizontal)
        s = inverted ? vmax - level : vmin + level;
    else
        s = inverted ? level : vmax - level;
    // Whole LEDs, then whole pixels of the on bitmap.
    const auto leds = static_cast<float>(nbLed);
    const float q = std::trunc(leds * s + 0.5f) / leds;
    const CCoord dimension = horizontal ? background->getWidth() : background->getHeight();
    CCoord t = std::trunc(dimension * static_cast<double>(q) + 0.5);
    if (t < 1)
        t = 0;
    if (horizontal && !inverted)
    {
        offOffset = CPoint(t, 0);
        offRect.left += t;
        onRect.right = onRect.left + t;
    }
    else if (horizontal)
    {
        onOffset = CPoint(t, 0);
        onRect.left += t;
        offRect.right = offRect.left + t;
    }
    else if (!inverted)
    {
        onOffset = CPoint(0, t);
        onRect.top += t;
        offRect.bottom = offRect.top + t;
    }
    else
    {
        offOffset = CPoint(0, t);
        offRect.top += t;
        onRect.bottom = onRect.top + t;
    }
    if (offBitmap)
        context->drawBitmap(offBitmap.get(), offRect, offOffset);
    context->drawBitmap(background, onRect, onOffset);
}

void CVuMeter::draw(CDrawContext* context)
{
    bounceValue();
    drawLeds(context, decayedValue(), false);
    setDirty(false);
}

} // namespace VSTGUI
