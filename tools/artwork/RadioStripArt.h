#pragma once

#include "Canvas.h"

#include <string_view>

namespace zarg::artwork
{

// Radio-button strips: a column of n buttons 18 pixels high, drawn n times, button i
// lit in frame i. Amber or green lamps, or silver push buttons.
class RadioStripArt
{
public:
    static void draw(Canvas& canvas, std::string_view name, int buttons);

private:
    static void button(cairo_t* cr, double w, double top, bool lit, std::string_view name);
};

} // namespace zarg::artwork
