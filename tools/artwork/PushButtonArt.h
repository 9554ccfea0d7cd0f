#pragma once

#include "Canvas.h"

namespace zarg::artwork
{

// A square-shouldered push button with a translucent cap: two frames,
// off (dark) above on (lit from inside).
class PushButtonArt
{
public:
    PushButtonArt(int frameWidth, int frameHeight) : m_width(frameWidth), m_height(frameHeight) {}

    void draw(Canvas& canvas) const;

private:
    void drawFrame(cairo_t* cr, double top, bool lit) const;

    int m_width;
    int m_height;
};

} // namespace zarg::artwork
