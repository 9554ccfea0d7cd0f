#include "StockKnobArt.h"

#include "Shapes.h"

#include <cmath>
#include <numbers>

namespace zarg::artwork
{
namespace
{
constexpr double kPi = std::numbers::pi;
constexpr double kSweepStart = -0.75 * kPi; // radians clockwise from straight up
constexpr double kSweep = 1.5 * kPi;
} // namespace

void StockKnobArt::draw(Canvas& canvas) const
{
    cairo_t* cr = canvas.cr();
    const double r = m_size * (m_look.shadow ? 0.4 : 0.42);
    for (int i = 0; i < m_frames; ++i)
    {
        const double cx = m_size / 2.0;
        const double cy = i * m_size + m_size / 2.0;
        const double turn = kSweepStart + kSweep * i / (m_frames > 1 ? m_frames - 1 : 1);
        cairo_save(cr);
        cairo_rectangle(cr, 0, i * m_size, m_size, m_size);
        cairo_clip(cr);
        if (m_look.shadow)
            shapes::softShadow(cr, cx + 0.03 * m_size, cy + 0.06 * m_size, r * 1.22, 0.6);
        drawBody(cr, cx, cy, r);
        drawIndicator(cr, cx, cy, r, turn);
        cairo_restore(cr);
    }
}

void StockKnobArt::drawBody(cairo_t* cr, double cx, double cy, double r) const
{
    using namespace shapes;
    using Shape = StockKnobLook::Shape;
    const StockKnobLook& k = m_look;

    // Skirt: the silhouette.
    if (k.shape == Shape::Gear)
    {
        const int teeth = 16;
        for (int i = 0; i < teeth * 2; ++i)
        {
            const double a0 = kPi * i / teeth;
            const double rr = (i % 2 == 0) ? r : r * 0.88;
            cairo_arc(cr, cx, cy, rr, a0, a0 + kPi / teeth);
        }
        cairo_close_path(cr);
    }
    else
    {
        cairo_arc(cr, cx, cy, k.shape == Shape::Ring ? r * 0.8 : r, 0, 2 * kPi);
    }
    cairo_pattern_t* skirt = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    addStop(skirt, 0, mix(k.body, hex(0xffffff), 0.25));
    addStop(skirt, 1, scale(k.body, 0.5));
    cairo_set_source(cr, skirt);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(skirt);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_set_line_width(cr, r * 0.04);
    cairo_stroke(cr);

    if (k.shape == Shape::Fluted)
    {
        const int flutes = 24;
        for (int i = 0; i < flutes; ++i)
        {
            const double a = 2 * kPi * i / flutes;
            cairo_move_to(cr, cx + r * 0.72 * std::cos(a), cy + r * 0.72 * std::sin(a));
            cairo_line_to(cr, cx + r * 0.97 * std::cos(a), cy + r * 0.97 * std::sin(a));
        }
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_set_line_width(cr, r * 0.06);
        cairo_stroke(cr);
    }

    // Top: flat for the flat and ring models, domed otherwise.
    const double top = (k.shape == Shape::Flat || k.shape == Shape::Ring) ? r * 0.62 : r * 0.68;
    if (k.shape == Shape::Chicken)
        return; // the bar is the top and it turns
    cairo_pattern_t* cap =
        cairo_pattern_create_radial(cx - top * 0.4, cy - top * 0.5, top * 0.1, cx, cy, top);
    const bool flat = k.shape == Shape::Flat || k.shape == Shape::Ring;
    addStop(cap, 0, mix(k.top, hex(0xffffff), flat ? 0.08 : 0.45));
    addStop(cap, 1, scale(k.top, flat ? 0.9 : 0.6));
    cairo_set_source(cr, cap);
    cairo_arc(cr, cx, cy, top, 0, 2 * kPi);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(cap);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, r * 0.03);
    cairo_stroke(cr);
}

void StockKnobArt::drawIndicator(cairo_t* cr, double cx, double cy, double r, double turn) const
{
    using namespace shapes;
    using Shape = StockKnobLook::Shape;
    const StockKnobLook& k = m_look;
    const double dx = std::sin(turn);
    const double dy = -std::cos(turn);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    if (k.shape == Shape::Flat || k.shape == Shape::Ring)
    {
        // A ring round the knob lit from the minimum up to the value.
        const double ring = k.shape == Shape::Ring ? r * 0.92 : r * 0.84;
        const double up = -kPi / 2;
        cairo_set_line_width(cr, r * 0.12);
        cairo_arc(cr, cx, cy, ring, up + kSweepStart, up + kSweepStart + kSweep);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_stroke(cr);
        if (turn > kSweepStart)
        {
            cairo_arc(cr, cx, cy, ring, up + kSweepStart, up + turn);
            setSource(cr, k.indicator);
            cairo_stroke(cr);
        }
    }

    if (k.shape == Shape::Chicken)
    {
        // A tapered bar, pointed at the value end, with a short blunt tail.
        const double nx = -dy;
        const double ny = dx;
        const double w = r * 0.2;
        cairo_move_to(cr, cx + dx * r * 1.02, cy + dy * r * 1.02);
        cairo_line_to(cr, cx + dx * r * 0.55 + nx * w, cy + dy * r * 0.55 + ny * w);
        cairo_line_to(cr, cx - dx * r * 0.3 + nx * w * 1.2, cy - dy * r * 0.3 + ny * w * 1.2);
        cairo_line_to(cr, cx - dx * r * 0.3 - nx * w * 1.2, cy - dy * r * 0.3 - ny * w * 1.2);
        cairo_line_to(cr, cx + dx * r * 0.55 - nx * w, cy + dy * r * 0.55 - ny * w);
        cairo_close_path(cr);
        setSource(cr, k.top);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
        cairo_set_line_width(cr, r * 0.04);
        cairo_stroke(cr);
    }

    // The pointer line across the top.
    const double r0 = k.shape == Shape::Ring ? r * 0.25 : r * 0.2;
    const double r1 = k.shape == Shape::Chicken ? r * 0.95 : r * 0.62;
    cairo_move_to(cr, cx + r0 * dx, cy + r0 * dy);
    cairo_line_to(cr, cx + r1 * dx, cy + r1 * dy);
    setSource(cr, k.indicator);
    cairo_set_line_width(cr, r * 0.1);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

} // namespace zarg::artwork
