#pragma once

#include "Canvas.h"

namespace zarg::artwork
{

// A needle meter's film strip: a lit dial with a scale arc, the needle swinging from
// the far left in frame 0 to the far right in the last frame.
class AnalogMeterArt
{
public:
    // Needle angle of a frame in degrees, clockwise from straight up.
    static double needleAngle(int frame, int frames);

    static void draw(Canvas& canvas, int frameHeight, int frames);

private:
    static void dial(cairo_t* cr, double w, double h, double top);
};

} // namespace zarg::artwork
