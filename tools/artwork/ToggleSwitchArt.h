#pragma once

#include "Canvas.h"

namespace zarg::artwork
{

// A miniature bat-lever toggle seen from above: two square frames,
// lever up (off) above lever down (on).
class ToggleSwitchArt
{
public:
    explicit ToggleSwitchArt(int frameSize) : m_size(frameSize) {}

    void draw(Canvas& canvas) const;

private:
    void drawFrame(cairo_t* cr, double cx, double cy, bool down) const;

    int m_size;
};

} // namespace zarg::artwork
