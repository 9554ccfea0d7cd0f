#include "AnalogMeterArt.h"

#include "Shapes.h"
#include "StrokeFont.h"

#include <cmath>
#include <numbers>

namespace zarg::artwork
{
namespace
{
constexpr double kSwing = 48;     // degrees either side of straight up
constexpr double kRedFrom = 0.72; // where the scale turns red, 0 to 1 along it

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}
} // namespace

double AnalogMeterArt::needleAngle(int frame, int frames)
{
    return -kSwing + 2 * kSwing * frame / (frames > 1 ? frames - 1 : 1);
}

void AnalogMeterArt::draw(Canvas& canvas, int frameHeight, int frames)
{
    cairo_t* cr = canvas.cr();
    const double w = canvas.width();
    const double h = frameHeight;
    for (int i = 0; i < frames; ++i)
    {
        const double top = i * h;
        cairo_save(cr);
        cairo_rectangle(cr, 0, top, w, h);
        cairo_clip(cr);
        dial(cr, w, h, top);

        // The needle, from its pivot below the window.
        const double a = radians(needleAngle(i, frames));
        const double px = w / 2;
        const double py = top + h * 1.15;
        const double len = h * 1.0;
        cairo_move_to(cr, px + std::sin(a) * h * 0.3, py - std::cos(a) * h * 0.3);
        cairo_line_to(cr, px + std::sin(a) * len, py - std::cos(a) * len);
        cairo_set_source_rgba(cr, 0.08, 0.06, 0.05, 0.95);
        cairo_set_line_width(cr, std::fmax(0.8, h * 0.016));
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void AnalogMeterArt::dial(cairo_t* cr, double w, double h, double top)
{
    using namespace shapes;
    const double pi = std::numbers::pi;
    setSource(cr, hex(0x1a1a1a));
    cairo_rectangle(cr, 0, top, w, h);
    cairo_fill(cr);
    const double bezel = std::fmax(1.5, h * 0.05);
    roundedRect(cr, bezel, top + bezel, w - 2 * bezel, h - 2 * bezel, bezel);
    cairo_pattern_t* face =
        cairo_pattern_create_radial(w / 2, top + h * 0.6, h * 0.1, w / 2, top + h * 0.6, w * 0.6);
    addStop(face, 0, hex(0xfff4c8));
    addStop(face, 1, hex(0xe0c880));
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    // Scale arc about the needle's pivot: black, then red towards the end.
    const double px = w / 2;
    const double py = top + h * 1.15;
    const double r = h * 0.85;
    const double from = radians(-kSwing) - pi / 2;
    const double to = radians(kSwing) - pi / 2;
    const double red = from + (to - from) * kRedFrom;
    cairo_set_line_width(cr, std::fmax(0.8, h * 0.02));
    cairo_arc(cr, px, py, r, from, red);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_stroke(cr);
    cairo_set_line_width(cr, std::fmax(1.2, h * 0.05));
    cairo_arc(cr, px, py, r + h * 0.02, red, to);
    cairo_set_source_rgb(cr, 0.8, 0.1, 0.08);
    cairo_stroke(cr);
    const int ticks = 10;
    cairo_set_line_width(cr, std::fmax(0.6, h * 0.015));
    for (int i = 0; i <= ticks; ++i)
    {
        const double a = from + (to - from) * i / ticks;
        const double out = r + h * (i % 5 == 0 ? 0.12 : 0.07);
        cairo_move_to(cr, px + r * std::cos(a), py + r * std::sin(a));
        cairo_line_to(cr, px + out * std::cos(a), py + out * std::sin(a));
        if (static_cast<double>(i) / ticks > kRedFrom)
            cairo_set_source_rgb(cr, 0.8, 0.1, 0.08);
        else
            cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        cairo_stroke(cr);
    }
    if (h >= 40)
    {
        const StrokeFont font(h * 0.12);
        font.addCentred(cr, "VU", w / 2, top + h * 0.78);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        cairo_set_line_width(cr, h * 0.018);
        cairo_stroke(cr);
    }
}

} // namespace zarg::artwork
