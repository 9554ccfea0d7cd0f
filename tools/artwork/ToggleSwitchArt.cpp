#include "ToggleSwitchArt.h"

#include "Shapes.h"

#include <numbers>

namespace zarg::artwork
{

void ToggleSwitchArt::draw(Canvas& canvas) const
{
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 2; ++i)
    {
        cairo_save(cr);
        cairo_rectangle(cr, 0, i * m_size, m_size, m_size);
        cairo_clip(cr);
        drawFrame(cr, m_size / 2.0, i * m_size + m_size / 2.0, i == 1);
        cairo_restore(cr);
    }
}

void ToggleSwitchArt::drawFrame(cairo_t* cr, double cx, double cy, bool down) const
{
    using namespace shapes;
    const double pi = std::numbers::pi;
    const double u = m_size / 42.0;
    const double dir = down ? 1.0 : -1.0;

    softShadow(cr, cx + 1.0 * u, cy + 2.0 * u, 14.5 * u, 0.5);

    // Washer under the nut.
    cairo_pattern_t* washer =
        cairo_pattern_create_linear(cx - 12 * u, cy - 12 * u, cx + 12 * u, cy + 12 * u);
    addStop(washer, 0, hex(0xc9ced3));
    addStop(washer, 1, hex(0x3e4247));
    cairo_set_source(cr, washer);
    cairo_arc(cr, cx, cy, 12.2 * u, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(washer);

    hexNut(cr, cx, cy, 10.6 * u, 0);

    // Threaded bushing.
    chromeDisc(cr, cx, cy, 6.4 * u);
    cairo_set_line_width(cr, 0.5 * u);
    for (double r = 4.2; r < 6.4; r += 0.9)
    {
        cairo_arc(cr, cx, cy, r * u, 0, 2 * pi);
        cairo_set_source_rgba(cr, 0.1, 0.1, 0.12, 0.35);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy, 3.3 * u, 0, 2 * pi);
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.09);
    cairo_fill(cr);

    const double length = 13.0 * u;
    const double tipY = cy + dir * length;

    // Shadow of the bat on the plate below it.
    cairo_save(cr);
    cairo_translate(cr, 2.4 * u, 2.8 * u);
    cairo_move_to(cr, cx - 2.9 * u, cy);
    cairo_line_to(cr, cx - 1.7 * u, tipY);
    cairo_line_to(cr, cx + 1.7 * u, tipY);
    cairo_line_to(cr, cx + 2.9 * u, cy);
    cairo_close_path(cr);
    cairo_arc(cr, cx, tipY, 4.0 * u, 0, 2 * pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    cairo_restore(cr);

    // The bat: a chrome cylinder, bright along one side.
    cairo_move_to(cr, cx - 2.9 * u, cy);
    cairo_line_to(cr, cx - 1.7 * u, tipY);
    cairo_line_to(cr, cx + 1.7 * u, tipY);
    cairo_line_to(cr, cx + 2.9 * u, cy);
    cairo_close_path(cr);
    cairo_pattern_t* bat = cairo_pattern_create_linear(cx - 2.9 * u, 0, cx + 2.9 * u, 0);
    addStop(bat, 0, hex(0x5a6067));
    addStop(bat, 0.3, hex(0xffffff));
    addStop(bat, 0.55, hex(0xb8bec4));
    addStop(bat, 1, hex(0x3a3e43));
    cairo_set_source(cr, bat);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bat);
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.06, 0.6);
    cairo_set_line_width(cr, 0.7 * u);
    cairo_stroke(cr);
    // Nearer the bushing the bat sits deeper in shade.
    cairo_move_to(cr, cx - 2.9 * u, cy);
    cairo_line_to(cr, cx - 2.0 * u, cy + dir * 5 * u);
    cairo_line_to(cr, cx + 2.0 * u, cy + dir * 5 * u);
    cairo_line_to(cr, cx + 2.9 * u, cy);
    cairo_close_path(cr);
    cairo_pattern_t* depth = cairo_pattern_create_linear(0, cy, 0, cy + dir * 5 * u);
    cairo_pattern_add_color_stop_rgba(depth, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(depth, 1, 0, 0, 0, 0);
    cairo_set_source(cr, depth);
    cairo_fill(cr);
    cairo_pattern_destroy(depth);

    // Ball end.
    chromeDisc(cr, cx, tipY, 4.0 * u);
    cairo_arc(cr, cx, tipY, 4.0 * u, 0, 2 * pi);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.12, 0.6);
    cairo_set_line_width(cr, 0.6 * u);
    cairo_stroke(cr);
}

} // namespace zarg::artwork
