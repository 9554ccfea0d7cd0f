#include "KnobStripArt.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace zarg::artwork
{
namespace
{

constexpr double kPi = std::numbers::pi;

// Light comes from the upper left; 1 where a surface faces it, 0 facing away.
double lightAt(double screenAngle)
{
    return 0.5 + 0.5 * std::cos(screenAngle - (-3 * kPi / 4));
}

} // namespace

double KnobStripArt::angleOfFrame(int frame) const
{
    if (m_frames < 2)
        return 0;
    return -135.0 + 270.0 * frame / (m_frames - 1);
}

void KnobStripArt::draw(Canvas& canvas) const
{
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < m_frames; ++i)
    {
        cairo_save(cr);
        // Each frame stays inside its own square; a shadow must not leak into the next.
        cairo_rectangle(cr, 0, i * m_size, m_size, m_size);
        cairo_clip(cr);
        drawFrame(cr, m_size / 2.0, i * m_size + m_size / 2.0, angleOfFrame(i));
        cairo_restore(cr);
    }
}

void KnobStripArt::drawFrame(cairo_t* cr, double cx, double cy, double angleDeg) const
{
    using namespace shapes;
    const KnobLook& k = m_look;
    const double unit = m_size / 42.0;
    const double rim = 17.5 * unit;
    const double cap = k.capRadius * unit;
    const double turn = angleDeg * kPi / 180.0;

    softShadow(cr, cx + 1.2 * unit, cy + 2.4 * unit, rim + 3.2 * unit, 0.55);

    // Skirt: the silhouette turns with the knob when it has notches.
    const int steps = 360;
    for (int i = 0; i <= steps; ++i)
    {
        const double a = 2 * kPi * i / steps;
        double r = rim;
        if (k.scallops > 0)
        {
            const double c = 0.5 - 0.5 * std::cos(k.scallops * (a - turn));
            r -= k.scallopDepth * unit * c * c * c * c;
        }
        cairo_line_to(cr, cx + r * std::sin(a), cy - r * std::cos(a));
    }
    cairo_close_path(cr);
    cairo_path_t* outline = cairo_copy_path(cr);
    cairo_pattern_t* body =
        cairo_pattern_create_radial(cx - rim * 0.4, cy - rim * 0.5, rim * 0.1, cx, cy, rim);
    addStop(body, 0, k.bodyLight);
    addStop(body, 1, k.bodyDark);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    // The skirt's cone catches the light on one side; the light does not turn.
    cairo_save(cr);
    cairo_append_path(cr, outline);
    cairo_clip(cr);
    const int wedges = 96;
    for (int i = 0; i < wedges; ++i)
    {
        const double a0 = 2 * kPi * i / wedges;
        const double a1 = 2 * kPi * (i + 1.05) / wedges;
        const double l = lightAt((a0 + a1) / 2);
        cairo_move_to(cr, cx + cap * std::cos(a0), cy + cap * std::sin(a0));
        cairo_arc(cr, cx, cy, rim + unit, a0, a1);
        cairo_arc_negative(cr, cx, cy, cap, a1, a0);
        cairo_close_path(cr);
        if (l > 0.5)
            cairo_set_source_rgba(cr, 1, 1, 1, 0.3 * (l - 0.5));
        else
            cairo_set_source_rgba(cr, 0, 0, 0, 0.4 * (0.5 - l));
        cairo_fill(cr);
    }
    cairo_restore(cr);

    // Ridges turn with the knob; their brightness follows the fixed light.
    const double inner = rim - k.ridgeDepth * unit;
    for (int r = 0; r < k.ridges; ++r)
    {
        const double a = turn + 2 * kPi * r / k.ridges - kPi / 2;
        const double l = lightAt(a);
        const double half = kPi / k.ridges * 0.45;
        cairo_move_to(cr, cx + inner * std::cos(a - half), cy + inner * std::sin(a - half));
        cairo_arc(cr, cx, cy, rim - 0.3 * unit, a - half, a + half);
        cairo_line_to(cr, cx + inner * std::cos(a + half), cy + inner * std::sin(a + half));
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.08 + 0.32 * l);
        cairo_fill(cr);
        const double b = a + kPi / k.ridges;
        cairo_move_to(cr, cx + inner * std::cos(b), cy + inner * std::sin(b));
        cairo_line_to(cr, cx + (rim - 0.3 * unit) * std::cos(b),
                      cy + (rim - 0.3 * unit) * std::sin(b));
        cairo_set_source_rgba(cr, 0, 0, 0, 0.25 + 0.25 * (1 - l));
        cairo_set_line_width(cr, 0.9 * unit);
        cairo_stroke(cr);
    }

    // Rim bevel along the silhouette.
    cairo_pattern_t* bevel = cairo_pattern_create_linear(cx - rim, cy - rim, cx + rim, cy + rim);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.6);
    cairo_set_source(cr, bevel);
    cairo_set_line_width(cr, 1.0 * unit);
    cairo_append_path(cr, outline);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    cairo_path_destroy(outline);

    // Shadow of the cap on the skirt, then the cap itself.
    cairo_arc(cr, cx + 0.6 * unit, cy + 1.0 * unit, cap + 0.8 * unit, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_pattern_t* top =
        cairo_pattern_create_radial(cx - cap * 0.45, cy - cap * 0.55, cap * 0.08, cx, cy, cap);
    addStop(top, 0, k.capLight);
    addStop(top, 0.55, k.capBase);
    addStop(top, 1, k.capEdge);
    cairo_set_source(cr, top);
    cairo_arc(cr, cx, cy, cap, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(top);

    if (k.speckled)
    {
        // Flecks in the plastic, fixed to the knob so they turn with it.
        std::uint32_t seed = 0x2545f491u;
        for (int s = 0; s < 60; ++s)
        {
            seed = seed * 1664525u + 1013904223u;
            const double rr = cap * std::sqrt((seed >> 8) / 16777216.0) * 0.95;
            seed = seed * 1664525u + 1013904223u;
            const double aa = 2 * kPi * ((seed >> 8) / 16777216.0) + turn;
            seed = seed * 1664525u + 1013904223u;
            const double shade = (seed >> 8) / 16777216.0;
            cairo_arc(cr, cx + rr * std::sin(aa), cy - rr * std::cos(aa),
                      (0.35 + 0.3 * shade) * unit, 0, 2 * kPi);
            cairo_set_source_rgba(cr, 0.35, 0.28, 0.2, 0.25 + 0.3 * shade);
            cairo_fill(cr);
        }
    }

    cairo_arc(cr, cx, cy, cap, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, 0.7 * unit);
    cairo_stroke(cr);

    // Pointer.
    const double dx = std::sin(turn);
    const double dy = -std::cos(turn);
    const double r0 = k.pointerInner * unit;
    const double r1 = rim - 1.2 * unit;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx + r0 * dx, cy + r0 * dy);
    cairo_line_to(cr, cx + r1 * dx, cy + r1 * dy);
    setSource(cr, k.pointerOutline, 0.7);
    cairo_set_line_width(cr, (k.pointerWidth + 1.4) * unit);
    cairo_stroke_preserve(cr);
    setSource(cr, k.pointer);
    cairo_set_line_width(cr, k.pointerWidth * unit);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);

    // Gloss: fixed, it belongs to the light and not to the knob.
    cairo_save(cr);
    cairo_translate(cr, cx - cap * 0.3, cy - cap * 0.42);
    cairo_scale(cr, 1.0, 0.62);
    cairo_pattern_t* gloss = cairo_pattern_create_radial(0, 0, 0, 0, 0, cap * 0.62);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
    cairo_set_source(cr, gloss);
    cairo_arc(cr, 0, 0, cap * 0.62, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
}

} // namespace zarg::artwork
