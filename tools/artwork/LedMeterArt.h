#pragma once

#include "Canvas.h"

namespace zarg::artwork
{

// An LED meter's on or off strip: ten LEDs along the long side. A meter shows the on
// strip up to its level and the off strip beyond, so all strips share the LED
// positions, with gaps where a 10-LED meter cuts. Colours run from green at the end
// that lights first to red at the far end.
class LedMeterArt
{
public:
    static constexpr int kLeds = 10;

    // inverted: the first LED to light is at the top (vertical) or right.
    static void draw(Canvas& canvas, bool lit, bool inverted);
};

} // namespace zarg::artwork
