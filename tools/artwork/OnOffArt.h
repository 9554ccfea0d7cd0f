#pragma once

#include "Canvas.h"

#include <string_view>

namespace zarg::artwork
{

// Two-frame on/off bitmaps, off above on, in the model the name gives: toggle,
// push, rocker, rubber and two-part buttons, or a lamp.
class OnOffArt
{
public:
    // The canvas holds both frames.
    static void draw(Canvas& canvas, std::string_view name);

private:
    static void twoPart(cairo_t* cr, double w, double h, double top, bool on);
    static void rocker(cairo_t* cr, double w, double h, double top, bool on);
    static void rubber(cairo_t* cr, double w, double h, double top, bool on);
    static void lamp(cairo_t* cr, double w, double h, double top, bool on, bool green);
};

} // namespace zarg::artwork
