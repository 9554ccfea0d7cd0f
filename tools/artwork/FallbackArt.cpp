#include "FallbackArt.h"

#include "Shapes.h"

#include <cmath>
#include <cstdint>

namespace zarg::artwork
{

void FallbackArt::background(Canvas& canvas)
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double h = canvas.height();
    setSource(cr, hex(0x56595e));
    cairo_paint(cr);

    // Brushed metal: each row a little lighter or darker than the next.
    std::uint32_t seed = 0x9e3779b9u;
    for (int y = 0; y < canvas.height(); ++y)
    {
        seed = seed * 1664525u + 1013904223u;
        const double v = ((seed >> 8) / 16777216.0 - 0.5) * 0.09;
        cairo_rectangle(cr, 0, y, w, 1);
        if (v > 0)
            cairo_set_source_rgba(cr, 1, 1, 1, v);
        else
            cairo_set_source_rgba(cr, 0, 0, 0, -v);
        cairo_fill(cr);
    }

    cairo_pattern_t* light = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.12);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.2);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);

    cairo_rectangle(cr, 1, 1, w - 2, h - 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void FallbackArt::groupFrame(Canvas& canvas)
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double h = canvas.height();
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.85, 0.85, 0.85, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    roundedRect(cr, 3, 3, w - 6, h - 6, 6.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void FallbackArt::amberOnOff(Canvas& canvas)
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double fh = canvas.height() / 2.0;
    for (int i = 0; i < 2; ++i)
    {
        const double top = i * fh;
        roundedRect(cr, 0.5, top + 0.5, w - 1, fh - 1, 3);
        setSource(cr, hex(0x1c1c1c));
        cairo_fill(cr);
        roundedRect(cr, 2.5, top + 2.5, w - 5, fh - 5, 2);
        cairo_pattern_t* lamp =
            cairo_pattern_create_radial(w / 2, top + fh / 2, 0.5, w / 2, top + fh / 2, w / 2);
        if (i == 1)
        {
            addStop(lamp, 0, hex(0xfff2b0));
            addStop(lamp, 0.5, hex(0xffb020));
            addStop(lamp, 1, hex(0xc06800));
        }
        else
        {
            addStop(lamp, 0, hex(0x6a4a14));
            addStop(lamp, 1, hex(0x2e2008));
        }
        cairo_set_source(cr, lamp);
        cairo_fill(cr);
        cairo_pattern_destroy(lamp);
    }
}

} // namespace zarg::artwork
