#include "FallbackArt.h"

#include "BackdropArt.h"
#include "Shapes.h"

namespace zarg::artwork
{

void FallbackArt::background(Canvas& canvas)
{
    BackdropArt::metal(canvas, shapes::hex(0x56595e));
    cairo_t* cr = canvas.cr();
    cairo_pattern_t* light = cairo_pattern_create_linear(0, 0, 0, canvas.height());
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.12);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.2);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);
    cairo_rectangle(cr, 1, 1, canvas.width() - 2, canvas.height() - 2);
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

} // namespace zarg::artwork
