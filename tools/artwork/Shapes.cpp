#include "Shapes.h"

#include <cmath>
#include <numbers>

namespace zarg::artwork::shapes
{

Rgb hex(std::uint32_t rgb)
{
    return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

Rgb mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(const Rgb& c, double f)
{
    return {c.r * f, c.g * f, c.b * f};
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    const double pi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void polygon(cairo_t* cr, double cx, double cy, double radius, int corners, double rotation)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < corners; ++i)
    {
        const double a = rotation + 2 * std::numbers::pi * i / corners;
        cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    cairo_close_path(cr);
}

void setSource(cairo_t* cr, const Rgb& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void addStop(cairo_pattern_t* p, double offset, const Rgb& c, double alpha)
{
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void softShadow(cairo_t* cr, double cx, double cy, double radius, double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, radius * 0.55, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0, 0, 0, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void chromeDisc(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                     radius * 0.05, cx, cy, radius * 1.05);
    addStop(p, 0, hex(0xffffff));
    addStop(p, 0.35, hex(0xd4d8dc));
    addStop(p, 0.75, hex(0x8a9096));
    addStop(p, 1, hex(0x4a4f55));
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void hexNut(cairo_t* cr, double cx, double cy, double radius, double rotation)
{
    polygon(cr, cx, cy, radius, 6, rotation);
    cairo_pattern_t* p =
        cairo_pattern_create_linear(cx - radius, cy - radius, cx + radius, cy + radius);
    addStop(p, 0, hex(0xf2f4f6));
    addStop(p, 0.45, hex(0xa9afb5));
    addStop(p, 0.55, hex(0x8c9299));
    addStop(p, 1, hex(0x50555b));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0.15, 0.15, 0.17, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Facet edges: the flats catch light differently.
    for (int i = 0; i < 6; ++i)
    {
        const double a = rotation + std::numbers::pi / 3 * i;
        cairo_move_to(cr, cx + radius * 0.78 * std::cos(a), cy + radius * 0.78 * std::sin(a));
        cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
}

} // namespace zarg::artwork::shapes
