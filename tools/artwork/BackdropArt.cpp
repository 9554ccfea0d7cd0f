#include "BackdropArt.h"

#include "Shapes.h"

#include <cstdint>

namespace zarg::artwork
{

void BackdropArt::metal(Canvas& canvas, const Rgb& colour)
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    setSource(cr, colour);
    cairo_paint(cr);

    // Brushed: each row a little lighter or darker than the next. No light falls across
    // it, so that the piece tiles without seams.
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
}

void BackdropArt::vinyl(Canvas& canvas)
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    setSource(cr, hex(0x2a2b2d));
    cairo_paint(cr);
    // Grain: small flecks a shade off the base, the same every run.
    std::uint32_t seed = 0x51ed270bu;
    const int flecks = canvas.width() * canvas.height() / 6;
    for (int i = 0; i < flecks; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        const double x = (seed >> 8) % (canvas.width() * 8) / 8.0;
        seed = seed * 1664525u + 1013904223u;
        const double y = (seed >> 8) % (canvas.height() * 8) / 8.0;
        const bool light = (seed & 0x80u) != 0;
        cairo_rectangle(cr, x, y, 0.8, 0.8);
        cairo_set_source_rgba(cr, light ? 1 : 0, light ? 1 : 0, light ? 1 : 0, 0.06);
        cairo_fill(cr);
    }
}

} // namespace zarg::artwork
