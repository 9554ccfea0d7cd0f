#include "PushButtonArt.h"

#include "Shapes.h"

namespace zarg::artwork
{

void PushButtonArt::draw(Canvas& canvas) const
{
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 2; ++i)
    {
        cairo_save(cr);
        cairo_rectangle(cr, 0, i * m_height, m_width, m_height);
        cairo_clip(cr);
        drawFrame(cr, i * m_height, i == 1);
        cairo_restore(cr);
    }
}

void PushButtonArt::drawFrame(cairo_t* cr, double top, bool lit) const
{
    using namespace shapes;
    const double w = m_width;
    const double h = m_height;

    // Soft drop shadow: a few widening, fading outlines.
    for (int s = 4; s >= 1; --s)
    {
        roundedRect(cr, 1.5 - s * 0.4 + 0.8, top + 1.5 - s * 0.4 + 1.4, w - 3 + s * 0.8,
                    h - 3 + s * 0.8, 4 + s * 0.4);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
        cairo_fill(cr);
    }

    // Bezel.
    roundedRect(cr, 1.5, top + 1.5, w - 3.5, h - 3.5, 4);
    cairo_pattern_t* bezel = cairo_pattern_create_linear(0, top, 0, top + h);
    addStop(bezel, 0, hex(0x4a4a4d));
    addStop(bezel, 1, hex(0x121213));
    cairo_set_source(cr, bezel);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bezel);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    roundedRect(cr, 2.3, top + 2.3, w - 5.1, h - 5.1, 3.4);
    cairo_pattern_t* edge = cairo_pattern_create_linear(0, top, 0, top + h);
    cairo_pattern_add_color_stop_rgba(edge, 0, 1, 1, 1, 0.4);
    cairo_pattern_add_color_stop_rgba(edge, 0.4, 1, 1, 1, 0.0);
    cairo_set_source(cr, edge);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_pattern_destroy(edge);

    // Cap, pressed in a little when on.
    const double press = lit ? 0.8 : 0.0;
    const double x0 = 4.5;
    const double y0 = top + 4.5 + press;
    const double cw = w - 9.5;
    const double ch = h - 10.5;
    roundedRect(cr, x0, y0, cw, ch, 2.5);
    if (lit)
    {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x0 + cw / 2, y0 + ch * 0.45, 0.5,
                                                            x0 + cw / 2, y0 + ch * 0.45, ch * 0.7);
        addStop(glow, 0, hex(0xfff4c8));
        addStop(glow, 0.3, hex(0xffb04a));
        addStop(glow, 0.7, hex(0xf0441c));
        addStop(glow, 1, hex(0xa01808));
        cairo_set_source(cr, glow);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(glow);
    }
    else
    {
        cairo_pattern_t* dark = cairo_pattern_create_linear(0, y0, 0, y0 + ch);
        addStop(dark, 0, hex(0x7a2418));
        addStop(dark, 0.5, hex(0x571710));
        addStop(dark, 1, hex(0x2e0a07));
        cairo_set_source(cr, dark);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(dark);
    }
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    if (lit)
    {
        // Light spilling over the bezel lip.
        roundedRect(cr, x0 - 1.2, y0 - 1.2, cw + 2.4, ch + 2.4, 3.4);
        cairo_set_source_rgba(cr, 1.0, 0.45, 0.15, 0.35);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }

    // Gloss on the upper half of the cap.
    roundedRect(cr, x0 + 1.2, y0 + 1.0, cw - 2.4, ch * 0.42, 1.8);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y0, 0, y0 + ch * 0.45);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, lit ? 0.45 : 0.32);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
}

} // namespace zarg::artwork
