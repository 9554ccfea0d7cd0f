#pragma once

#include "Canvas.h"
#include "KnobLook.h"

namespace zarg::artwork
{

// A film strip of a knob: square frames stacked vertically, the pointer
// sweeping 270 degrees through the top, frame 0 at the minimum.
class KnobStripArt
{
public:
    KnobStripArt(const KnobLook& look, int frameSize, int frames)
        : m_look(look), m_size(frameSize), m_frames(frames)
    {
    }

    void draw(Canvas& canvas) const;

    // Pointer angle of a frame in degrees, clockwise from straight up.
    double angleOfFrame(int frame) const;

private:
    void drawFrame(cairo_t* cr, double cx, double cy, double angleDeg) const;

    KnobLook m_look;
    int m_size;
    int m_frames;
};

} // namespace zarg::artwork
