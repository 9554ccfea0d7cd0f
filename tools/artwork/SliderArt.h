#pragma once

#include "Canvas.h"

#include <string_view>

namespace zarg::artwork
{

// Slider backs (a slot along the long side), handles (a grooved cap) and selector
// switches (a short slot with the cap at one detent per frame); whether a piece lies
// or stands follows from its size.
class SliderArt
{
public:
    static void back(Canvas& canvas, std::string_view name);
    static void handle(Canvas& canvas, std::string_view name);
    static void selector(Canvas& canvas, int frameHeight, int positions);

private:
    // Both draw along x, over len by across.
    static void slot(cairo_t* cr, double len, double across, bool dark);
    static void cap(cairo_t* cr, double len, double across, bool dark);
};

} // namespace zarg::artwork
