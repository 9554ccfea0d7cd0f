#include "editor/CVuMeterQX.h"

#include "vstgui/lib/CDrawContext.h"

#include <cmath>

using namespace VSTGUI;

CVuMeterQX::CVuMeterQX(const CRect& r, CBitmap* on, CBitmap* off, int32_t leds, bool isInverted,
                       bool isAnalog, int32_t s)
    : CVuMeter(r, on, off, leds, s), inverted(isInverted), analog(isAnalog)
{
}

void CVuMeterQX::draw(CDrawContext* context)
{
    if (!getOnBitmap())
        return;
    if (analog)
        drawAnalogMeter(context);
    else
        drawLedMeter(context);
    setDirty(false);
}

void CVuMeterQX::drawLedMeter(CDrawContext* context)
{
    bounceValue();
    float level = 0.f;
    // Two LEDs are an on/off lamp: no decay, no smoothing.
    if (getNbLed() == 2)
        level = value < 0.5f ? 0.f : 1.f;
    else
        level = detector.step(decayedValue());
    drawLeds(context, level, inverted);
}

CPoint CVuMeterQX::analogOffset(float level) const
{
    // The control value, not the level: a value below 0 shows the first frame.
    if (value < 0.f || frameHeight <= 0)
        return CPoint();
    const auto l = static_cast<double>(level);
    const double shown = inverted ? zeroFrame / frameCount - l * zeroFrame / frameCount : l;
    const auto y = static_cast<int64_t>(std::floor(shown * (frameCount - 1) * frameHeight));
    const auto h = static_cast<int64_t>(frameHeight);
    // A frame less than a pixel high has no frame to step to.
    if (h == 0)
        return CPoint();
    return CPoint(0, static_cast<CCoord>(y - y % h));
}

void CVuMeterQX::drawAnalogMeter(CDrawContext* context)
{
    bounceValue();
    const float level = detector.step(decayedValue());
    // Without a frame the strip cannot be divided.
    if (frameCount < 1)
        return;
    CBitmap* bitmap =
        getDisabledBackground() && !getMouseEnabled() ? getDisabledBackground() : getOnBitmap();
    context->drawBitmap(bitmap, size, analogOffset(level));
}
