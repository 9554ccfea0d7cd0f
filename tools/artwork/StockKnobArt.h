#pragma once

#include "Canvas.h"
#include "StockKnobLook.h"

namespace zarg::artwork
{

// A stock knob's film strip: square frames stacked vertically, the indicator
// sweeping 270 degrees through the top, frame 0 at the minimum.
class StockKnobArt
{
public:
    StockKnobArt(const StockKnobLook& look, int frameSize, int frames)
        : m_look(look), m_size(frameSize), m_frames(frames)
    {
    }

    void draw(Canvas& canvas) const;

private:
    void drawBody(cairo_t* cr, double cx, double cy, double r) const;
    void drawIndicator(cairo_t* cr, double cx, double cy, double r, double turn) const;

    StockKnobLook m_look;
    int m_size;
    int m_frames;
};

} // namespace zarg::artwork
