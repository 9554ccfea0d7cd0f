#include "PanelArt.h"

#include "Shapes.h"
#include "StrokeFont.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

namespace zarg::artwork
{
namespace
{

constexpr double kPi = std::numbers::pi;
constexpr double kCorner = 10.0;
const Rgb kPaint = shapes::hex(0xB2C929);

std::uint32_t hash(std::int32_t x, std::int32_t y)
{
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double unitNoise(std::int32_t x, std::int32_t y)
{
    return (hash(x, y) & 0xffff) / 65535.0 * 2.0 - 1.0;
}

// Smooth lattice noise for the hammered look of the paint.
double blotch(double x, double y, double cell)
{
    const double fx = x / cell;
    const double fy = y / cell;
    const auto ix = static_cast<std::int32_t>(std::floor(fx));
    const auto iy = static_cast<std::int32_t>(std::floor(fy));
    const double tx = (fx - ix) * (fx - ix) * (3 - 2 * (fx - ix));
    const double ty = (fy - iy) * (fy - iy) * (3 - 2 * (fy - iy));
    const double a = unitNoise(ix, iy) + (unitNoise(ix + 1, iy) - unitNoise(ix, iy)) * tx;
    const double b =
        unitNoise(ix, iy + 1) + (unitNoise(ix + 1, iy + 1) - unitNoise(ix, iy + 1)) * tx;
    return a + (b - a) * ty;
}

} // namespace

void PanelArt::claim(const std::string& piece, double x, double y, double w, double h) const
{
    const ViewRect box{"", piece, x, y, w, h};
    for (const ViewRect& v : m_views)
    {
        if (box.intersects(v, 1.0))
            throw std::runtime_error(piece + " would lie under the " + v.viewClass + " \"" +
                                     v.title + "\"");
    }
}

void PanelArt::draw(Canvas& canvas) const
{
    cairo_t* cr = canvas.cr();

    // Hardware positions; each claims its footprint, shadow included.
    struct Spot
    {
        double x;
        double y;
    };
    const Spot screws[] = {
        {13, 13}, {m_width - 13.0, 13}, {13, m_height - 13.0}, {m_width - 13.0, m_height - 13.0}};
    const Spot outJack{50, 22};
    const Spot inJack{m_width - 50.0, 22};
    const Spot badgeAt{150, 198};
    const Spot ledAt{152.5, 243};
    const Spot switchAt{152.5, 296};
    const Spot cleanWave{80, 361};
    const Spot fuzzWave{229, 360};

    for (const Spot& s : screws)
        claim("screw", s.x - 8, s.y - 8, 16, 16);
    claim("output jack", outJack.x - 15, outJack.y - 15, 32 + 34, 32);
    claim("input jack", inJack.x - 15 - 34, inJack.y - 15, 32 + 34, 32);
    claim("logo", badgeAt.x - 42, badgeAt.y - 24, 86, 50);
    claim("LED", ledAt.x - 10, ledAt.y - 10, 20, 20);
    claim("foot switch", switchAt.x - 24, switchAt.y - 24, 51, 51);
    claim("legend", m_width / 2.0 - 45, 15, 90, 10);
    claim("wave", cleanWave.x - 20, cleanWave.y - 9, 40, 18);
    claim("wave", fuzzWave.x - 20, fuzzWave.y - 9, 40, 18);

    paintEnclosure(canvas);

    double rot = 0.3;
    for (const Spot& s : screws)
    {
        screw(cr, s.x, s.y, rot);
        rot += 0.7;
    }
    jack(cr, outJack.x, outJack.y, "OUTPUT", true);
    jack(cr, inJack.x, inJack.y, "INPUT", false);
    topLine(cr, m_width / 2.0, 23.5);
    badge(cr, badgeAt.x, badgeAt.y);
    led(cr, ledAt.x, ledAt.y);
    footswitch(cr, switchAt.x, switchAt.y);
    wave(cr, cleanWave.x, cleanWave.y, false);
    wave(cr, fuzzWave.x, fuzzWave.y, true);
}

void PanelArt::paintEnclosure(Canvas& canvas) const
{
    using namespace shapes;
    cairo_t* cr = canvas.cr();
    const double w = m_width;
    const double h = m_height;

    // What shows past the rounded corners.
    cairo_set_source_rgb(cr, 0.07, 0.07, 0.08);
    cairo_paint(cr);

    roundedRect(cr, 0, 0, w, h, kCorner);
    setSource(cr, kPaint);
    cairo_fill(cr);

    // Hammered finish: coarse blotches and a fine grain, only on the paint.
    cairo_surface_t* s = canvas.surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const std::uint32_t paintArgb = 0xff000000u | 0xB2C929u;
    // The texture follows 1x pixels so every scale shows the same finish.
    const double scale = canvas.scale();
    for (int y = 0; y < canvas.pixelHeight(); ++y)
    {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        const double uy = y / scale;
        for (int x = 0; x < canvas.pixelWidth(); ++x)
        {
            if (row[x] != paintArgb)
                continue;
            const double ux = x / scale;
            const double f = 1.0 + 0.022 * blotch(ux, uy, 7.0) + 0.012 * blotch(ux, uy, 2.0) +
                             0.008 * unitNoise(static_cast<std::int32_t>(ux) + 9001,
                                               static_cast<std::int32_t>(uy));
            std::uint32_t out = 0xff000000u;
            for (int c = 0; c < 3; ++c)
            {
                const double v = ((paintArgb >> (8 * c)) & 0xff) * f;
                const auto b = static_cast<std::uint32_t>(std::lround(std::fmin(255.0, v)));
                out |= b << (8 * c);
            }
            row[x] = out;
        }
    }
    cairo_surface_mark_dirty(s);

    // Broad light from the upper left.
    roundedRect(cr, 0, 0, w, h, kCorner);
    cairo_pattern_t* light = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(light, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.10);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);

    // Bevelled edge of the die-cast box.
    roundedRect(cr, 2.0, 2.0, w - 4.0, h - 4.0, kCorner - 2);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.05);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.28);
    cairo_set_source(cr, bevel);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    roundedRect(cr, 0.5, 0.5, w - 1.0, h - 1.0, kCorner);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void PanelArt::screw(cairo_t* cr, double cx, double cy, double rotation) const
{
    using namespace shapes;
    // Countersunk: a dark ring round the head, then the head.
    cairo_arc(cr, cx, cy, 6.8, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    chromeDisc(cr, cx, cy, 5.8);
    cairo_arc(cr, cx, cy, 5.8, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.6);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    // Cross recess.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, rotation);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2; ++i)
    {
        cairo_move_to(cr, -3.4, 0);
        cairo_line_to(cr, 3.4, 0);
        cairo_set_source_rgba(cr, 0.12, 0.12, 0.14, 0.9);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        cairo_move_to(cr, -3.2, 0.8);
        cairo_line_to(cr, 3.2, 0.8);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
        cairo_rotate(cr, kPi / 2);
    }
    cairo_restore(cr);
}

void PanelArt::jack(cairo_t* cr, double cx, double cy, const char* legend, bool legendRight) const
{
    using namespace shapes;
    softShadow(cr, cx + 1.5, cy + 2.0, 15, 0.5);
    hexNut(cr, cx, cy, 12.5, kPi / 6);
    // Socket sleeve and the hole for the plug.
    chromeDisc(cr, cx, cy, 7.6);
    cairo_arc(cr, cx, cy, 4.6, 0, 2 * kPi);
    cairo_pattern_t* hole = cairo_pattern_create_radial(cx + 1, cy + 1, 0.5, cx, cy, 4.6);
    addStop(hole, 0, hex(0x000000));
    addStop(hole, 0.8, hex(0x1a1a1c));
    addStop(hole, 1, hex(0x55585c));
    cairo_set_source(cr, hole);
    cairo_fill(cr);
    cairo_pattern_destroy(hole);

    // Printed legend; the arrows show the signal running from right to left.
    const StrokeFont font(6.0, 1.5);
    const double tw = font.width(legend);
    const double tx = legendRight ? cx + 17 : cx - 17 - tw;
    font.addText(cr, legend, tx, cy + 3);
    const double ay = cy - 9;
    cairo_move_to(cr, tx + tw, ay);
    cairo_line_to(cr, tx, ay);
    cairo_move_to(cr, tx + 2.5, ay - 2.0);
    cairo_line_to(cr, tx, ay);
    cairo_line_to(cr, tx + 2.5, ay + 2.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.08, 0.09, 0.05, 0.85);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

void PanelArt::topLine(cairo_t* cr, double cx, double baseline) const
{
    const StrokeFont font(5.5, 1.7);
    font.addCentred(cr, "TRANSISTOR FUZZ", cx, baseline);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.08, 0.09, 0.05, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void PanelArt::wave(cairo_t* cr, double cx, double cy, bool clipped) const
{
    // A printed sine, and the same driven into hard clipping: what the pedal does.
    const double halfWidth = 17;
    const double amplitude = 6;
    for (int i = 0; i <= 68; ++i)
    {
        const double t = i / 68.0;
        double v = std::sin(t * 3 * kPi);
        if (clipped)
            v = std::tanh(4 * v) / std::tanh(4.0);
        cairo_line_to(cr, cx - halfWidth + 2 * halfWidth * t, cy - amplitude * v);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.08, 0.09, 0.05, 0.75);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

void PanelArt::badge(cairo_t* cr, double cx, double cy) const
{
    using namespace shapes;
    const double w = 84;
    const double h = 46;
    const double x = cx - w / 2;
    const double y = cy - h / 2;

    // Raised enamel plate with a polished rim.
    roundedRect(cr, x + 1.2, y + 2.0, w, h, 7);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 7);
    cairo_pattern_t* rim = cairo_pattern_create_linear(x, y, x + w, y + h);
    addStop(rim, 0, hex(0xf4f6f8));
    addStop(rim, 0.5, hex(0x8d9399));
    addStop(rim, 1, hex(0x3c4045));
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    roundedRect(cr, x + 2, y + 2, w - 4, h - 4, 5.5);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(plate, 0, hex(0x2b2d2a));
    addStop(plate, 1, hex(0x0c0d0c));
    cairo_set_source(cr, plate);
    cairo_fill(cr);
    cairo_pattern_destroy(plate);

    // The name: slanted, in the enclosure's own colour, lifted by a dark outline.
    const StrokeFont font(22.0, 1.3);
    const double baseline = cy + 11;
    cairo_save(cr);
    cairo_matrix_t slant;
    cairo_matrix_init(&slant, 1, 0, -0.2, 1, 0.2 * baseline, 0);
    cairo_transform(cr, &slant);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    font.addCentred(cr, "ZARG", cx, baseline);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 6.4);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* letters = cairo_pattern_create_linear(0, baseline - 22, 0, baseline);
    addStop(letters, 0, mix(kPaint, hex(0xffffff), 0.55));
    addStop(letters, 0.45, kPaint);
    addStop(letters, 1, scale(kPaint, 0.7));
    cairo_set_source(cr, letters);
    cairo_set_line_width(cr, 4.2);
    cairo_stroke(cr);
    cairo_pattern_destroy(letters);
    cairo_restore(cr);

    // Sheen across the top of the plate.
    roundedRect(cr, x + 3, y + 3, w - 6, h * 0.4, 4.5);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h * 0.45);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
}

void PanelArt::led(cairo_t* cr, double cx, double cy) const
{
    using namespace shapes;
    // Glow on the paint around the lens.
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 3, cx, cy, 10);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.2, 0.1, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.2, 0.1, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, 10, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    chromeDisc(cr, cx, cy, 5.6);
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - 1, cy - 1, 0.3, cx, cy, 3.9);
    addStop(lens, 0, hex(0xfff0e0));
    addStop(lens, 0.35, hex(0xff4a2a));
    addStop(lens, 1, hex(0x8a0c06));
    cairo_set_source(cr, lens);
    cairo_arc(cr, cx, cy, 3.9, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
}

void PanelArt::footswitch(cairo_t* cr, double cx, double cy) const
{
    using namespace shapes;
    softShadow(cr, cx + 2, cy + 3, 24, 0.55);
    // Lock ring, nut, then the stomp cap with its grooves.
    cairo_arc(cr, cx, cy, 20.5, 0, 2 * kPi);
    cairo_pattern_t* ring = cairo_pattern_create_linear(cx - 20, cy - 20, cx + 20, cy + 20);
    addStop(ring, 0, hex(0xdfe3e7));
    addStop(ring, 1, hex(0x3a3e43));
    cairo_set_source(cr, ring);
    cairo_fill(cr);
    cairo_pattern_destroy(ring);
    for (int i = 0; i < 24; ++i)
    {
        const double a = 2 * kPi * i / 24;
        cairo_move_to(cr, cx + 18.2 * std::cos(a), cy + 18.2 * std::sin(a));
        cairo_line_to(cr, cx + 20.3 * std::cos(a), cy + 20.3 * std::sin(a));
    }
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.12, 0.5);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    hexNut(cr, cx, cy, 17.5, 0);

    softShadow(cr, cx + 1, cy + 1.5, 14, 0.5);
    chromeDisc(cr, cx, cy, 12.0);
    cairo_set_line_width(cr, 0.6);
    for (double r = 3.0; r < 12; r += 2.2)
    {
        cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.15, 0.15, 0.18, 0.25);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy + 0.6, r, kPi * 0.1, kPi * 0.9);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy, 12.0, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.12, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

} // namespace zarg::artwork
